// A drive of three short clips with sound and GPS texts, and a rear camera
// whose two clips start a second later, played in the window: across the
// hand-overs, the rear kept in step, seeks into each clip, and the drive's
// track exported as kolvar-extract --join writes it.
#include "ClipExport.h"
#include "PlayerView.h"
#include "VideoSurface.h"
#include "WindowHarness.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMediaPlayer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVideoFrame>
#include <QVideoSink>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr int kClipSeconds = 3;
constexpr int kFrontClips = 3;
constexpr int kRearClipSeconds = 4;
constexpr int kFramesPerSecond = 30;
constexpr double kFrameMs = 1000.0 / kFramesPerSecond;
constexpr double kRearLateMs = 1000;

DriveClip ClipAt(const QString& path, std::chrono::seconds fromStart) {
    DriveClip clip;
    clip.path = QFile::encodeName(path).toStdString();
    clip.start = DriveClip::TimePoint(std::chrono::hours(24 * 365 * 45)) + fromStart;
    return clip;
}

}  // namespace

TEST(DrivePlayback, PlaysThroughTheClipsWithTheRearInStepAndSeeksIntoTheRightClip) {
    QTemporaryDir dir;
    Drive drive;
    drive.channels = {{CameraChannel::Front, {}}, {CameraChannel::Rear, {}}};
    QStringList front;
    for (int clip = 0; clip < kFrontClips; ++clip) {
        const QString texts = dir.filePath(QStringLiteral("gps%1.srt").arg(clip));
        WriteBytes(texts, GPSSubtitles(kClipSeconds, 0.05, clip * kClipSeconds));
        front << dir.filePath(QStringLiteral("前/clip %1 F.MOV").arg(clip));
        ASSERT_EQ(MakeClip(front.last(), kClipSeconds, texts, kFramesPerSecond), QString());
        drive.channels[0].clips.push_back(ClipAt(front.last(), std::chrono::seconds(clip * kClipSeconds)));
    }
    for (int clip = 0; clip < 2; ++clip) {
        const QString rear = dir.filePath(QStringLiteral("clip %1 R.MOV").arg(clip));
        ASSERT_EQ(MakeClip(rear, kRearClipSeconds, QString(), kFramesPerSecond), QString());
        drive.channels[1].clips.push_back(ClipAt(rear, std::chrono::seconds(1 + clip * kRearClipSeconds)));
    }
    drive.start = drive.channels[0].clips.front().start;

    WindowHarness harness;
    harness.start();
    MainWindowController& window = harness.window();
    window.selectDrive(drive);
    harness.waitForLoad();
    PlayerView& view = *window.playerView();
    // The durations come from the files; the route is all three clips' in drive time.
    EXPECT_NEAR(view.driveDuration(), kFrontClips * kClipSeconds * 1000.0, 100);
    ASSERT_TRUE(window.track());
    ASSERT_EQ(window.track()->pointArray().size(), size_t{kFrontClips * kClipSeconds});
    EXPECT_NEAR(window.track()->pointArray().back().time, 2 * view.driveDuration() / 3 + 2000, 100);

    // Wall time between the last frame of one clip and the first of the next:
    // the stream's time starts over at each hand-over.
    std::vector<qint64> gaps;
    qint64 lastAtMs = 0, lastStreamUs = -1;
    QElapsedTimer clock;
    clock.start();
    // The connection ends with this, before the values it writes go out of scope.
    QObject watching;
    QObject::connect(view.videoSurface()->videoSink(), &QVideoSink::videoFrameChanged, &watching, [&](const QVideoFrame& frame) {
        if (frame.startTime() < lastStreamUs) gaps.push_back(clock.elapsed() - lastAtMs);
        lastAtMs = clock.elapsed(), lastStreamUs = frame.startTime();
    });
    // How far the rear's frame on show is from the front's, sampled between ticks.
    std::vector<double> rearOffsets;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        const auto t = view.shownTime();
        const auto rearT = view.otherShownTime();
        if (t && rearT && *t > kRearLateMs + 500) rearOffsets.push_back(std::abs(*rearT - (*t - kRearLateMs)));
    });
    sampler.start(50);
    view.togglePlayback();
    ASSERT_TRUE(WaitFor([&] { return view.currentTime().value_or(0) >= 7500; }, 30000));
    sampler.stop();

    ASSERT_EQ(gaps.size(), size_t{kFrontClips - 1});
    std::sort(rearOffsets.begin(), rearOffsets.end());
    ASSERT_FALSE(rearOffsets.empty());
    const double medianOffset = rearOffsets[rearOffsets.size() / 2];
    for (const qint64 gap : gaps) EXPECT_LT(gap, 100);
    // Within a frame; frame times come in whole microseconds, so one frame
    // apart can read 33.334 ms.
    EXPECT_LE(medianOffset, kFrameMs + 0.01);

    view.togglePlayback();
    struct Seek {
        double driveMs;
        int clip;
        double offsetMs;
    };
    for (const Seek seek : {Seek{1200, 0, 1200}, Seek{7500, 2, 1500}, Seek{4500, 1, 1500}}) {
        SCOPED_TRACE(seek.driveMs);
        view.seek(static_cast<qint64>(seek.driveMs));
        ASSERT_TRUE(WaitFor([&] {
            QMediaPlayer* player = view.player();
            return player && player->source().toLocalFile() == front[seek.clip] &&
                   player->mediaStatus() != QMediaPlayer::LoadingMedia && std::abs(player->position() - seek.offsetMs) < 100;
        }));
        EXPECT_NEAR(view.currentTime().value_or(-1), seek.driveMs, 100);
    }

    // S puts the rear in the large picture and the front in the inset. The
    // rear's seek may still bring a frame: compare once both pictures are still.
    QTest::qWait(500);
    const QVideoFrame frontFrame = view.videoSurface()->videoSink()->videoFrame();
    const QVideoFrame rearFrame = view.insetSurface()->videoSink()->videoFrame();
    ASSERT_TRUE(frontFrame.isValid() && rearFrame.isValid());
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_S);
    EXPECT_EQ(view.videoSurface()->videoSink()->videoFrame(), rearFrame);
    EXPECT_EQ(view.insetSurface()->videoSink()->videoFrame(), frontFrame);

    const QString exported = dir.filePath(QStringLiteral("drive.gpx"));
    ASSERT_TRUE(window.clipExport()->exportTrackTo(exported, TrackFileFormat::Gpx));
    QProcess extract;
    extract.start(QStringLiteral(KOLVAR_EXTRACT_BINARY),
                  QStringList{QStringLiteral("--join"), QStringLiteral("--format"), QStringLiteral("gpx")} + front);
    ASSERT_TRUE(extract.waitForFinished());
    EXPECT_EQ(ReadBytes(exported), extract.readAllStandardOutput());
}

// A file in the middle of a drive that is no video is passed over: playback
// goes on with the clip after it.
TEST(DrivePlayback, AClipThatCannotBePlayedIsPassedOver) {
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("a F.MOV"));
    const QString broken = WriteBytes(dir.filePath(QStringLiteral("b F.MOV")), QByteArray("not a video"));
    const QString last = dir.filePath(QStringLiteral("c F.MOV"));
    for (const QString& clip : {first, last}) ASSERT_EQ(MakeClip(clip, 2, QString(), kFramesPerSecond), QString());
    Drive drive;
    drive.channels = {{CameraChannel::Front,
                       {ClipAt(first, std::chrono::seconds(0)), ClipAt(broken, std::chrono::seconds(2)),
                        ClipAt(last, std::chrono::seconds(4))}}};

    WindowHarness harness;
    harness.start();
    harness.window().selectDrive(drive);
    harness.waitForLoad();
    PlayerView& view = *harness.window().playerView();
    view.togglePlayback();
    EXPECT_TRUE(WaitFor([&] {
        return view.player() && view.player()->source().toLocalFile() == last && view.currentTime().value_or(0) > 2500;
    }, 20000)) << view.currentTime().value_or(-1);
}
