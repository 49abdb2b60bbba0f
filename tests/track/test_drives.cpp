#include "ChannelSync.h"
#include "ClipName.h"
#include "ClipProbe.h"
#include "DriveTimeline.h"
#include "Drives.h"
#include "LittleEndianBytes.h"
#include "LocalTime.h"
#include "MovBuilder.h"
#include "RiffBuilder.h"
#include "ScopedTempDir.h"
#include "ScopedTimeZone.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <sys/time.h>

namespace {

using namespace std::chrono_literals;

// A clip with one GPS text a second from start on, moving north.
std::string GpsClip(std::time_t start, int seconds) {
    std::vector<std::string> texts;
    for (int i = 0; i < seconds; ++i) {
        const std::time_t at = start + i;
        std::tm t{};
        localtime_r(&at, &t);
        char text[96];
        std::snprintf(text, sizeof text, "A,%02d%02d%02d,%02d%02d%02d,%.4f,N,11354.3210,E,36.0,1,2,98", t.tm_mday,
                      t.tm_mon + 1, t.tm_year % 100, t.tm_hour, t.tm_min, t.tm_sec, 2234.5678 + 0.01 * i);
        texts.push_back(text);
    }
    return mov::Movie({mov::TextTrack(texts)});
}

constexpr uint32_t kMp4EpochToUnix = 2082844800u;

// A clip without GPS data, 60 s long by its movie header.
std::string BlankClip(std::time_t created = 0) {
    return mov::HeaderOnlyMovie(mov::Mvhd(created ? uint32_t(created + kMp4EpochToUnix) : 0, 1000, 60000));
}

TEST(Drives, GroupsABuiltCardIntoDrives) {
    const ScopedTempDir card;
    const std::time_t noon = LocalTime(2021, 1, 1, 12, 0, 0);
    const std::vector<std::string> paths = {
        card.write("F/2021_0101_120000_001F.MOV", GpsClip(noon, 60)),
        card.write("F/2021_0101_120100_002F.MOV", GpsClip(noon + 60, 60)),
        // No GPS: the name places it 30 s after the clip before ends.
        card.write("F/2021_0101_120230_003F.MOV", BlankClip()),
        // The GPS says 2015: a clock gone wrong; the name keeps the clip in its drive.
        card.write("F/2021_0101_120330_004F.MOV", GpsClip(LocalTime(2015, 6, 15, 3, 0, 0), 60)),
        card.write("F/2021_0101_123000_005F.MOV", GpsClip(noon + 1800, 60)),
        // A minute's gap still joins; a second more parts.
        card.write("F/2021_0101_123200_009F.MOV", GpsClip(noon + 1920, 60)),
        card.write("F/2021_0101_123401_010F.MOV", GpsClip(noon + 2041, 60)),
        // Over midnight.
        card.write("F/2021_0101_235930_006F.MOV", GpsClip(LocalTime(2021, 1, 1, 23, 59, 30), 60)),
        card.write("F/2021_0102_000030_007F.MOV", GpsClip(LocalTime(2021, 1, 2, 0, 0, 30), 60)),
        // The rear camera beside the first drive, and alone later.
        card.write("R/2021_0101_120000_001R.MOV", BlankClip()),
        card.write("R/2021_0101_120100_002R.MOV", BlankClip()),
        card.write("R/2021_0101_180000_008R.MOV", BlankClip()),
        // No date in the name: the movie header's creation time, else the file time.
        card.write("clip.MOV", BlankClip(LocalTime(2021, 1, 1, 15, 0, 0))),
        card.write("dashcam.AVI", "RIFF"),
    };
    const timeval written[2] = {{LocalTime(2021, 1, 1, 16, 0, 0), 0}, {LocalTime(2021, 1, 1, 16, 0, 0), 0}};
    ASSERT_EQ(utimes(paths.back().c_str(), written), 0);

    std::vector<DriveClip> clips;
    for (const std::string& path : paths) clips.push_back(ReadDriveClip(path));
    EXPECT_TRUE(clips[3].clockJump);
    EXPECT_EQ(std::pair(clips[0].timeSource, clips[2].timeSource), std::pair(ClipTimeSource::GPS, ClipTimeSource::FileName));

    // The import's quick probe agrees with the full read; held to no bytes, it has only the name and
    // the headers the clip opens with. 1,800 frames of 33,333 us: an AVI of 60 s by its main header.
    const std::string avih = LE32(33333) + std::string(12, '\0') + LE32(1800) + std::string(36, '\0');
    std::vector<std::string> probed = paths;
    probed.push_back(card.write("x/2021_0101_120200_003F.AVI", RiffFile(RiffList("hdrl", RiffChunk("avih", avih)))));
    probed.push_back(card.write("x/broken.MOV", std::string(100, '\xff')));
    for (const std::string& path : probed) {
        SCOPED_TRACE(path);
        const DriveClip full = ReadDriveClip(path), probe = ProbeDriveClip(path), starved = ProbeDriveClip(path, 0);
        EXPECT_EQ(std::tuple(probe.start, probe.durationMs, probe.timeSource, probe.distanceM),
                  std::tuple(full.start, full.durationMs, full.timeSource, full.distanceM));
        EXPECT_TRUE(starved.timeSource != ClipTimeSource::GPS && !starved.distanceM);
    }
    EXPECT_NEAR(ProbeDriveClip(probed[paths.size()]).durationMs, 60000, 1);
    PutOnGPSClock(clips);
    const std::vector<Drive> drives = GroupDrives(clips);

    const struct {
        std::time_t start, end; std::vector<std::string> clips; std::vector<CameraChannel> channels;
    } expected[] = {
        {LocalTime(2021, 1, 1, 23, 59, 30), LocalTime(2021, 1, 2, 0, 1, 30),
         {"2021_0101_235930_006F.MOV", "2021_0102_000030_007F.MOV"}, {CameraChannel::Front}},
        {LocalTime(2021, 1, 1, 18, 0, 0), LocalTime(2021, 1, 1, 18, 1, 0), {"2021_0101_180000_008R.MOV"}, {CameraChannel::Rear}},
        {LocalTime(2021, 1, 1, 16, 0, 0), LocalTime(2021, 1, 1, 16, 0, 0), {"dashcam.AVI"}, {CameraChannel::Front}},
        {LocalTime(2021, 1, 1, 15, 0, 0), LocalTime(2021, 1, 1, 15, 1, 0), {"clip.MOV"}, {CameraChannel::Front}},
        {noon + 2041, noon + 2101, {"2021_0101_123401_010F.MOV"}, {CameraChannel::Front}},
        {noon + 1800, noon + 1980, {"2021_0101_123000_005F.MOV", "2021_0101_123200_009F.MOV"}, {CameraChannel::Front}},
        {noon, noon + 270,
         {"2021_0101_120000_001F.MOV", "2021_0101_120100_002F.MOV", "2021_0101_120230_003F.MOV",
          "2021_0101_120330_004F.MOV"},
         {CameraChannel::Front, CameraChannel::Rear}},
    };
    ASSERT_EQ(drives.size(), std::size(expected));
    for (size_t i = 0; i < drives.size(); ++i) {
        SCOPED_TRACE(i);
        std::vector<std::string> names;
        for (const DriveClip& clip : drives[i].clips()) names.push_back(std::filesystem::path(clip.path).filename().string());
        std::vector<CameraChannel> channels;
        for (const ChannelClips& c : drives[i].channels) channels.push_back(c.channel);
        EXPECT_EQ(std::tuple(std::chrono::system_clock::to_time_t(drives[i].start),
                             std::chrono::system_clock::to_time_t(drives[i].end), names, channels),
                  std::tuple(expected[i].start, expected[i].end, expected[i].clips, expected[i].channels));
    }
    EXPECT_EQ(drives[0].date().day, 1);
    // Three clips moved about 1.1 km each; the blank one adds nothing.
    ASSERT_TRUE(drives[6].distanceM);
    EXPECT_NEAR(*drives[6].distanceM, 3 * 59 * 18.5, 60);
}

// Named and stamped on the local clock across the change to summer time: 01:59:30 and 03:00:30
// are a minute apart, and so are the fixes either side of it.
TEST(Drives, ADriveAndItsTrackRunOnAcrossTheChangeToSummerTime) {
    const ScopedTimeZone zone("Europe/Berlin");
    const ScopedTempDir card;
    const std::time_t start = LocalTime(2026, 3, 29, 1, 59, 30);
    const std::vector<std::string> paths = {card.write("2026_0329_015930_001F.MOV", GpsClip(start, 60)),
                                            card.write("2026_0329_030030_002F.MOV", BlankClip())};
    std::vector<DriveClip> clips = {ReadDriveClip(paths[0]), ReadDriveClip(paths[1])};
    PutOnGPSClock(clips);
    const std::vector<Drive> drives = GroupDrives(clips);
    ASSERT_EQ(drives.size(), 1u);
    EXPECT_EQ(drives[0].durationMs(), 120000);
    EXPECT_EQ(LoadTrack(paths[0]).track->pointArray().back().time, 59000);
}

TEST(Drives, FileNameTimesJoinTheGPSClock) {
    // The receiver runs on UTC, the camera's names eight hours ahead; the middle clip has no GPS.
    const std::time_t named = LocalTime(2021, 1, 1, 20, 0, 0);
    std::vector<DriveClip> clips(3);
    for (int i = 0; i < 3; ++i) {
        clips[i].fileNameTime = std::chrono::system_clock::from_time_t(named + 60 * i);
        clips[i].start = *clips[i].fileNameTime - 8h + (i == 1 ? 8h : 2s);
        clips[i].durationMs = 60000;
        clips[i].timeSource = i == 1 ? ClipTimeSource::FileName : ClipTimeSource::GPS;
    }
    PutOnGPSClock(clips);
    EXPECT_EQ(std::chrono::system_clock::to_time_t(clips[1].start), named + 60 - 8 * 3600);
    EXPECT_EQ(GroupDrives(clips).size(), 1u);
}

TEST(DriveTimeline, MapsDriveTimeToClipsAndBack) {
    // A clip of unknown length takes no time.
    const DriveTimeline timeline({60000, 0, 30000, 45000});
    EXPECT_EQ(timeline.totalDuration(), 135000);
    const struct { double driveMs; size_t clip; double offsetMs; } cases[] = {
        {-5, 0, 0}, {0, 0, 0}, {59999, 0, 59999}, {60000, 2, 0}, {75000, 2, 15000},
        {90000, 3, 0}, {134999, 3, 44999}, {135000, 3, 45000}, {1e12, 3, 45000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.driveMs);
        const auto at = timeline.locate(c.driveMs);
        ASSERT_TRUE(at);
        EXPECT_EQ(std::pair(at->clip, at->offsetMs), std::pair(c.clip, c.offsetMs));
        if (c.driveMs >= 0 && c.driveMs <= timeline.totalDuration()) { EXPECT_EQ(timeline.driveTime(at->clip, at->offsetMs), c.driveMs); }
    }
    EXPECT_EQ(timeline.driveTime(0, 90000), 60000);
    EXPECT_FALSE(DriveTimeline(std::vector<double>{}).locate(0));
}

TEST(DriveTimeline, JoinedTrackRunsOnAcrossClips) {
    const ScopedTempDir dir;
    const std::time_t noon = LocalTime(2021, 1, 1, 12, 0, 0);
    // The second clip's GPS outlasts its 60 s movie: those fixes are left out.
    const std::vector<std::string> paths = {
        dir.write("a.MOV", GpsClip(noon, 60)), dir.write("b.MOV", BlankClip()), dir.write("c.MOV", GpsClip(noon + 125, 70))};
    std::vector<TrackLoad> tracks;
    for (const std::string& path : paths) tracks.push_back(LoadTrack(path));
    const DriveTimeline timeline({60000, 60000, 60000});
    const TrackLoad joined = JoinTracks(timeline, tracks);
    const auto& points = joined.track->pointArray();
    ASSERT_EQ(points.size(), 60u + 61u);
    EXPECT_EQ(points[59].time, 59000);
    EXPECT_EQ(points[60].time, 120000);
    EXPECT_EQ(points.back().time, 180000);
    EXPECT_EQ(std::chrono::system_clock::to_time_t(joined.track->getStartTime()), noon);
    EXPECT_EQ(points.back().distFromSrc, joined.track->getTotalDist());
    EXPECT_GT(points.back().distFromSrc, points[59].distFromSrc);
}

TEST(ClipName, DateTimeAndChannelOfDashCamNames) {
    using enum CameraChannel;
    const struct { const char* path, *time; CameraChannel channel; } cases[] = {
        {"/card/DCIM/Movie/2021_0101_120000_001F.MP4", "20210101120000", Front},
        {"2021_0101_120100_002R.MP4", "20210101120100", Rear},
        {"20210101235959_000123A.MP4", "20210101235959", Front}, {"20210101235959_000123B.MP4", "20210101235959", Rear},
        {"Record/20210101_120000_NF.mp4", "20210101120000", Front}, {"Record/20210101_120000_ER.mp4", "20210101120000", Rear},
        {"Record/20210101_120000_PI.mp4", "20210101120000", Interior},
        {"Back/NO20210101-120000-000123B.MP4", "20210101120000", Rear},
        {"cont_rec/REC_2021_01_02_12_03_04_F.MP4", "20210102120304", Front},
        {"cont_rec/REC_2021_01_01_12_00_00_I.MP4", "20210101120000", Interior},
        {"FILE210101-120000F.MOV", "20210101120000", Front},
        {"240915_143027_001_RH.MP4", "20240915143027", Rear},
        {"/cards/Rear/20210101_120000.mov", "20210101120000", Rear},
        {"/cards/INSIDE/clip.mov", "", Interior}, {"/cards/front/Movie/clip_rear.mov", "", Rear},
        {"/back/2023/trip/clip.mov", "", Front},  // a back folder far above the clips is the user's
        // Digits that are no date: file numbers, a 13th month, a year before 2000.
        {"GRMN0001.MP4", "", Front}, {"IMG_20211310_120000.MP4", "", Front}, {"19991231_235959.MP4", "", Front},
        {"2021_0101_120000_001X.MP4", "20210101120000", Front},
        {"", "", Front},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const auto t = FileNameDateTime(c.path);
        char time[32] = "";
        if (t) std::snprintf(time, sizeof time, "%04d%02d%02d%02d%02d%02d", t->year, t->month, t->day, t->hour, t->minute, t->second);
        EXPECT_STREQ(time, c.time);
        EXPECT_EQ(ClipChannel(c.path), c.channel);
    }
}

// Front clips at 0 s and 61 s (a second lost between them), a minute each; rear clips of 30 s at
// 2 s and 40 s, with nothing recorded from 32 s to 40 s.
TEST(ChannelSync, TheOtherCameraIsPlacedByTheInstantsItsClipsStarted) {
    const auto clip = [](int startMs, double durationMs) {
        DriveClip clip;
        clip.start = DriveClip::TimePoint(1'700'000'000s) + std::chrono::milliseconds(startMs);
        clip.durationMs = durationMs;
        return clip;
    };
    Drive drive;
    drive.channels = {{CameraChannel::Front, {clip(0, 60000), clip(61000, 60000)}},
                      {CameraChannel::Rear, {clip(2000, 30000), clip(40000, 30000)}}};
    drive.start = drive.channels[0].clips[0].start;
    const ChannelSync sync(drive, 1);
    EXPECT_EQ(sync.otherTimeline().totalDuration(), 60000);
    const std::pair<double, std::optional<double>> cases[] = {{0, std::nullopt}, {5000, 3000}, {35000, std::nullopt},
                                                              {45000, 35000}, {60500, 51500}, {1e9, std::nullopt}};
    for (const auto& [leadMs, otherMs] : cases) EXPECT_EQ(sync.otherTime(leadMs), otherMs) << leadMs;
}

}  // namespace
