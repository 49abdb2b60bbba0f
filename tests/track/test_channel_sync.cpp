#include "ChannelSync.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace std::chrono_literals;

DriveClip Clip(std::chrono::milliseconds start, double durationMs) {
    DriveClip clip;
    clip.start = DriveClip::TimePoint(1'700'000'000s) + start;
    clip.durationMs = durationMs;
    return clip;
}

// Front clips at 0 s and 61 s (a second lost between them), a minute each;
// rear clips of 30 s at 2 s and 40 s, with nothing recorded from 32 s to 40 s.
TEST(ChannelSync, TheOtherCameraIsPlacedByTheInstantsItsClipsStarted) {
    Drive drive;
    drive.channels = {{CameraChannel::Front, {Clip(0ms, 60000), Clip(61000ms, 60000)}},
                      {CameraChannel::Rear, {Clip(2000ms, 30000), Clip(40000ms, 30000)}}};
    drive.start = drive.channels[0].clips[0].start;
    const ChannelSync sync(drive, 1);
    EXPECT_EQ(sync.otherTimeline().totalDuration(), 60000);
    struct Case {
        double leadMs;
        std::optional<double> otherMs;
    };
    for (const Case c : {Case{0, std::nullopt}, Case{5000, 3000}, Case{35000, std::nullopt}, Case{45000, 35000},
                         Case{60500, 51500}, Case{80000, std::nullopt}, Case{1e9, std::nullopt}}) {
        EXPECT_EQ(sync.otherTime(c.leadMs), c.otherMs) << c.leadMs;
    }
}

}  // namespace
