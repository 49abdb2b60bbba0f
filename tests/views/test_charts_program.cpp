#include "ChartProbe.h"
#include "DetailChart.h"
#include "GSensorChart.h"
#include "Graphics.h"
#include "ScopedTempDir.h"
#include "SideFileBuilder.h"
#include "StringTable.h"
#include "TrackLoader.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    int status = -1;
    QString out;
    QString err;
};

ProgramRun RunCharts(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));  // the program must not need a display
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KOLVAR_CHARTS_PATH), arguments);
    if (!process.waitForFinished(30000)) return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// A video with a side file of ten records a second apart, heading north-east.
QString WriteDrive(const ScopedTempDir& dir) {
    std::vector<std::string> lines;
    for (int i = 0; i < 10; ++i) {
        lines.push_back(SideFileRecordLine(SideFilePosition('N', 39, 540000 + 300 * i, 'E', 116, 240000 + 300 * i),
                                           std::vector(16, SideFileSample{10 * i, -20, 98}),
                                           SideFileTimestamp(2024, 5, 1, 8, 0, i)));
    }
    dir.write("drive.GMAP", JoinSideFile(lines));
    return QString::fromStdString(dir.write("drive.MOV", ""));
}

TEST(ChartsProgram, WritesBothChartsAndPrintsTheTextsOfTheMomentOrFailsWithItsStatus) {
    const ScopedTempDir temp;
    const QDir dir(QString::fromStdString(temp.path()));
    const QString video = WriteDrive(temp);
    const QString output = dir.filePath(QStringLiteral("report/charts"));
    const ProgramRun run = RunCharts({video, "--at", "3.5", "--size", "400x120", "--output", output});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();

    const TrackLoad load = LoadTrack(video.toStdString());
    const GPSTrack* track = load.track.get();
    const StringTable strings = StringTable::load(QStringLiteral("InfoPlist"), QLocale("en_US"));
    const GSensorTexts gsensor = gsensorTexts(track, 3500);
    EXPECT_EQ(gsensor.x, QStringLiteral("X: 0.30G"));
    QStringList expected = {gsensor.x, gsensor.y, gsensor.z};
    for (int selected : {kSelectedPosition, kSelectedDistances, kSelectedSpeed}) expected << detailText(track, 3500, selected, strings);
    EXPECT_EQ(run.out, expected.join(u'\n') + u'\n');

    for (const auto& [file, paint] : {std::pair{"gsensor.png", &paintGSensorChart}, {"detail.png", &paintDetailChart}}) {
        const QImage written(QDir(output).filePath(QLatin1String(file)));
        ASSERT_FALSE(written.isNull()) << file;
        Graphics graphics(QSizeF(400, 120));
        paint(graphics, track, 3500);
        EXPECT_EQ(written.convertToFormat(QImage::Format_RGBA8888_Premultiplied), graphics.getImage()) << file;
        saveForReview(written, QStringLiteral("program_") + QLatin1String(file).chopped(4));
    }

    // Failures and misuses exit with their status and write nothing.
    const QString bare = QString::fromStdString(temp.write("bare.mp4", ""));
    const QString out = dir.filePath(QStringLiteral("out"));
    const QString missing = dir.filePath(QStringLiteral("missing.MOV"));
    // Misuses point to the help.
    const struct { QStringList arguments; int status = 2; QString error = "kolvar-charts --help"; } cases[] = {
        {{bare, "--at", "0", "--output", out}, 1, "no GPS data in " + bare},
        {{missing, "--at", "0", "--output", out}, 2, "cannot open"},
        {{dir.path(), "--at", "0", "--output", out}, 2, "cannot open"},
        {{video, "--at", "1", "--output", video}, 2, QString()},  // the output folder is a file
        {{video, "--output", out}}, {{video, "--at", "1"}}, {{"--at", "1", "--output", out}},
        {{video, video, "--at", "1", "--output", out}}, {{video, "--at", "-1", "--output", out}},
        {{video, "--at", "1s", "--output", out}}, {{video, "--at=1", "--size", "352x9000", "--output", out}},
        {{video, "--at=1", "--size", "0x100", "--output", out}}, {{video, "--at=1", "--output"}},
        {{video, "--at=1", "--output=", "--zoom"}},
    };
    for (const auto& c : cases) {
        const ProgramRun run = RunCharts(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.error)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(out));

    const ProgramRun help = RunCharts({QStringLiteral("--help")});
    EXPECT_TRUE(help.status == 0 && help.out.startsWith(QStringLiteral("Usage: kolvar-charts FILE --at SECONDS")));

    // The smallest size is accepted: a width below 32 draws no plot, but draws.
    const ProgramRun narrow = RunCharts({video, "--at=1", "--size=1x1", "--output=" + out});
    EXPECT_EQ(narrow.status, 0) << narrow.err.toStdString();
    EXPECT_EQ(QImage(QDir(out).filePath(QStringLiteral("detail.png"))).size(), QSize(1, 1));
}

}  // namespace
