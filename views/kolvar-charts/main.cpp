#include "ChartsOptions.h"
#include "DetailChart.h"
#include "ExitStatus.h"
#include "FileCheck.h"
#include "GSensorChart.h"
#include "InstrumentImage.h"
#include "StringTable.h"
#include "TrackForCli.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <algorithm>
#include <cfloat>
#include <iostream>

namespace {

constexpr const char* kProgram = "kolvar-charts";

// Written whole or not at all: a half-written PNG never replaces a good one.
bool writeChart(const QString& path, const ChartsOptions& options, const GPSTrack& track, float t,
                PaintInstrument paint) {
    const QImage image = renderInstrument(QSizeF(options.width, options.height), &track, t, paint);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") ||
        !file.commit()) {
        std::cerr << "kolvar-charts: cannot write " << path.toStdString() << ": "
                  << file.errorString().toStdString() << '\n';
        return false;
    }
    return true;
}

int drawCharts(const ChartsOptions& options) {
    int status = kExitPrinted;
    const std::optional<TrackLoad> load = LoadTrackOrExplain(kProgram, options.file, status);
    if (!load) return status;
    const QDir output(QString::fromStdString(options.outputDir));
    if (!output.mkpath(QStringLiteral("."))) {
        std::cerr << "kolvar-charts: cannot create the folder " << options.outputDir << '\n';
        return kExitUsage;
    }
    const GPSTrack& track = *load->track;
    const float t = static_cast<float>(std::min(options.atSeconds * 1000.0, double(FLT_MAX)));
    if (!writeChart(output.filePath(QStringLiteral("gsensor.png")), options, track, t,
                    paintGSensorChart) ||
        !writeChart(output.filePath(QStringLiteral("detail.png")), options, track, t,
                    paintDetailChart)) {
        return kExitUsage;
    }

    const GSensorTexts gsensor = gsensorTexts(&track, t);
    const StringTable strings = StringTable::load(QStringLiteral("InfoPlist"));
    for (const QString& text :
         {gsensor.x, gsensor.y, gsensor.z, detailText(&track, t, kSelectedPosition, strings),
          detailText(&track, t, kSelectedDistances, strings),
          detailText(&track, t, kSelectedSpeed, strings)}) {
        std::cout << text.toStdString() << '\n';
    }
    std::cout.flush();
    return kExitPrinted;
}

}  // namespace

int main(int argc, char** argv) {
    const auto parsed = ParseChartsOptions(argc, argv);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "kolvar-charts: " << *error << "\nTry 'kolvar-charts --help'.\n";
        return kExitUsage;
    }
    const auto& options = std::get<ChartsOptions>(parsed);
    if (options.help) {
        std::cout << kChartsUsageText;
        return kExitPrinted;
    }
    if (const auto reason = CannotOpenReason(options.file)) return ReportCannotOpen(kProgram, options.file, *reason);
    // Fonts need a GUI application, never a display: charts are drawn off-screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Only the program name: the user's arguments are not Qt's to interpret.
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    return drawCharts(options);
}
