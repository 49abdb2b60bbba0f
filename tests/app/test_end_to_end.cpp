// The real program on a real clip: ffmpeg makes a MOV with sound whose
// mov_text track carries one GPS text per second, kolvar imports and opens it
// from its command line, plays two seconds and reports every timer tick.
#include "AppTestSupport.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr int kClipSeconds = 12;
// The texts hold degrees and minutes: 22 deg 34.5678 min north, moving 0.05
// minutes north per second, at 113 deg 54.3210 min east.
constexpr double kFirstLat = 22 + 34.5678 / 60;
constexpr double kLatPerSecond = 0.05 / 60;
constexpr double kLon = 113 + 54.3210 / 60;

// The report's ticks: the time in ms, the marker's latitude and longitude, and
// hashes of the G-sensor and detail charts.
QList<QList<QByteArray>> ReadTicks(const QString& path) {
    QList<QList<QByteArray>> ticks;
    for (const QByteArray& line : ReadBytes(path).split('\n'))
        if (line.count(' ') == 4) ticks << line.split(' ');
    return ticks;
}

// A clip with sound, as cameras record it, played where no sound server runs,
// from folders and names that are not ASCII or special in a URL, under both
// locales' pages: {LANG, the clip under the run's folder}.
class EndToEnd : public testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(EndToEnd, PlayingAClipMovesTheMarkerAlongTheDriveAndRedrawsTheCharts) {
    QTemporaryDir dir;
    const QString subtitles = dir.filePath(QStringLiteral("gps.srt"));
    const QString clip = dir.filePath(QString::fromUtf8(GetParam().second));
    WriteBytes(subtitles, GPSSubtitles(kClipSeconds, 0.05, 0, [](int i) { return QStringLiteral("%1,-3,98").arg(12 + 7 * i); }));
    ASSERT_EQ(MakeClip(clip, kClipSeconds, subtitles), QString());

    const QString home = dir.filePath(QStringLiteral("home"));
    const QString report = dir.filePath(QStringLiteral("ticks.txt"));
    QProcessEnvironment environment = EnvironmentWithHome(home);
    environment.insert(QStringLiteral("LANG"), QString::fromLatin1(GetParam().first));
    environment.remove(QStringLiteral("LC_ALL"));
    environment.remove(QStringLiteral("LANGUAGE"));
    environment.insert(QStringLiteral("KOLVAR_TEST_REPORT"), report);
    environment.insert(QStringLiteral("KOLVAR_TEST_PLAY_MS"), QStringLiteral("2000"));
    QProcess kolvar;
    kolvar.setProcessEnvironment(environment);
    kolvar.setProcessChannelMode(QProcess::MergedChannels);
    kolvar.start(QStringLiteral(KOLVAR_PATH), {clip});
    const bool finished = kolvar.waitForFinished(60000);
    if (!finished) kolvar.kill();
    ASSERT_TRUE(finished) << kolvar.readAll().toStdString();
    ASSERT_EQ(kolvar.exitCode(), 0) << kolvar.readAll().toStdString();

    EXPECT_TRUE(ReadBytes(home + QStringLiteral("/Documents/Dravik/videos.xml")).contains(clip.toUtf8()));
    const QList<QList<QByteArray>> ticks = ReadTicks(report);
    ASSERT_GE(ticks.size(), 3);
    EXPECT_GE(ticks.last()[0].toLongLong(), 2000);
    // Each marker position is where the drive was at the player's time.
    for (const QList<QByteArray>& tick : ticks) {
        EXPECT_NEAR(tick[1].toDouble(), kFirstLat + kLatPerSecond * tick[0].toLongLong() / 1000.0, 1e-9) << tick[0].constData();
        EXPECT_NEAR(tick[2].toDouble(), kLon, 1e-9);
    }
    EXPECT_GT(ticks.last()[1].toDouble(), ticks.first()[1].toDouble());
    EXPECT_NE(ticks.last()[3], ticks.first()[3]);
    EXPECT_NE(ticks.last()[4], ticks.first()[4]);
}

INSTANTIATE_TEST_SUITE_P(Locales, EndToEnd,
                         testing::Values(std::pair{"C.UTF-8", "drive #1 %?.MOV"}, std::pair{"zh_CN.UTF-8", "前视/café 1.MOV"}));

}  // namespace
