#include "ChartProbe.h"
#include "DetailChart.h"
#include "GSensorChart.h"
#include "Graphics.h"
#include "SideFileBuilder.h"
#include "StringTable.h"
#include "TrackLoader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

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
class ChartsProgram : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        video = dir.filePath(QStringLiteral("drive.MOV"));
        QFile(video).open(QIODevice::WriteOnly);
        std::vector<std::string> lines;
        for (int i = 0; i < 10; ++i) {
            const std::vector<SideFileSample> samples(16, SideFileSample{10 * i, -20, 98});
            lines.push_back(SideFileRecordLine(SideFilePosition('N', 39, 540000 + 300 * i, 'E', 116, 240000 + 300 * i),
                                               samples, SideFileTimestamp(2024, 5, 1, 8, 0, i)));
        }
        QFile side(dir.filePath(QStringLiteral("drive.GMAP")));
        ASSERT_TRUE(side.open(QIODevice::WriteOnly));
        side.write(QByteArray::fromStdString(JoinSideFile(lines)));
    }

    QTemporaryDir dir;
    QString video;
};

TEST_F(ChartsProgram, WritesBothChartsAndPrintsTheTextsOfTheMoment) {
    const QString output = dir.filePath(QStringLiteral("report/charts"));
    const ProgramRun run = RunCharts({video, QStringLiteral("--at"), QStringLiteral("3.5"), QStringLiteral("--size"),
                               QStringLiteral("400x120"), QStringLiteral("--output"), output});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();

    const TrackLoad load = LoadTrack(video.toStdString());
    const GPSTrack* track = load.track.get();
    ASSERT_FALSE(track->isEmpty());
    const StringTable strings = StringTable::load(QStringLiteral("InfoPlist"), QLocale("en_US"));
    const GSensorTexts gsensor = gsensorTexts(track, 3500);
    EXPECT_EQ(gsensor.x, QStringLiteral("X: 0.30G"));
    const QStringList expected = {gsensor.x,
                                  gsensor.y,
                                  gsensor.z,
                                  detailText(track, 3500, kSelectedPosition, strings),
                                  detailText(track, 3500, kSelectedDistances, strings),
                                  detailText(track, 3500, kSelectedSpeed, strings)};
    EXPECT_EQ(run.out, expected.join(u'\n') + u'\n');

    for (const auto& [file, paint] : {std::pair{"gsensor.png", &paintGSensorChart}, {"detail.png", &paintDetailChart}}) {
        const QImage written(QDir(output).filePath(QLatin1String(file)));
        ASSERT_FALSE(written.isNull()) << file;
        Graphics graphics(QSizeF(400, 120));
        paint(graphics, track, 3500);
        EXPECT_EQ(written.convertToFormat(QImage::Format_RGBA8888_Premultiplied), graphics.getImage()) << file;
        saveForReview(written, QStringLiteral("program_") + QLatin1String(file).chopped(4));
    }
}

TEST_F(ChartsProgram, ReportsFilesWithoutGPSOrThatCannotBeOpened) {
    const QString bare = dir.filePath(QStringLiteral("bare.mp4"));
    QFile(bare).open(QIODevice::WriteOnly);
    const QString output = dir.filePath(QStringLiteral("out"));
    ProgramRun run = RunCharts({bare, QStringLiteral("--at"), QStringLiteral("0"), QStringLiteral("--output"), output});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.trimmed().split(u'\n').last(), QStringLiteral("no GPS data in ") + bare);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_FALSE(QFile::exists(QDir(output).filePath(QStringLiteral("gsensor.png"))));

    for (const QString& unreadable : {dir.filePath(QStringLiteral("missing.MOV")), dir.path()}) {
        run = RunCharts({unreadable, QStringLiteral("--at"), QStringLiteral("0"), QStringLiteral("--output"), output});
        EXPECT_EQ(run.status, 2) << unreadable.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("cannot open"))) << run.err.toStdString();
    }

    // The output folder is a file: nothing can be written there.
    run = RunCharts({video, QStringLiteral("--at"), QStringLiteral("1"), QStringLiteral("--output"), video});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.isEmpty());
}

TEST_F(ChartsProgram, UsageErrorsExitWith2AndHelpDocumentsTheCall) {
    const QString out = dir.filePath(QStringLiteral("out"));
    const QList<QStringList> misuses = {
        {video, QStringLiteral("--output"), out},
        {video, QStringLiteral("--at"), QStringLiteral("1")},
        {QStringLiteral("--at"), QStringLiteral("1"), QStringLiteral("--output"), out},
        {video, video, QStringLiteral("--at"), QStringLiteral("1"), QStringLiteral("--output"), out},
        {video, QStringLiteral("--at"), QStringLiteral("-1"), QStringLiteral("--output"), out},
        {video, QStringLiteral("--at"), QStringLiteral("1s"), QStringLiteral("--output"), out},
        {video, QStringLiteral("--at=1"), QStringLiteral("--size"), QStringLiteral("352x9000"), QStringLiteral("--output"), out},
        {video, QStringLiteral("--at=1"), QStringLiteral("--output")},
        {video, QStringLiteral("--at=1"), QStringLiteral("--output="), QStringLiteral("--zoom")},
    };
    for (const QStringList& arguments : misuses) {
        const ProgramRun run = RunCharts(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("kolvar-charts --help"))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(out));

    const ProgramRun help = RunCharts({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: kolvar-charts FILE --at SECONDS")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("no GPS data in FILE")));

    // The smallest size is accepted: a width below 32 draws no plot, but draws.
    const ProgramRun narrow = RunCharts({video, QStringLiteral("--at=1"), QStringLiteral("--size=1x1"), QStringLiteral("--output=") + out});
    EXPECT_EQ(narrow.status, 0) << narrow.err.toStdString();
    EXPECT_EQ(QImage(QDir(out).filePath(QStringLiteral("detail.png"))).size(), QSize(1, 1));
}

}  // namespace
