#include "GPSTexts.h"
#include "MovBuilder.h"
#include "SideFileBuilder.h"
#include "ScopedTempDir.h"
#include "TrackLoader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

namespace {

TrackLoad Build(const std::vector<GPSRecord>& records, GPSClock clock = GPSClock::Local,
                const std::vector<AccelSample>& accel = {}) {
    GPSData data;
    data.records = records;
    data.clock = clock;
    data.accel = accel;
    return BuildEmbeddedTrack(data);
}

GPSRecord Record(int second, char latRef = 'N', double lat = 22.5, char lonRef = 'E', double lon = 113.9) {
    return GPSRecord{2015, 6, 15, 12, 0, second, latRef, lonRef, lat, lon, 10, 12.9, -3.7, 98};
}

TEST(EmbeddedTrack, SignsKnotsAndGSensorCuts) {
    std::vector<GPSRecord> records = {Record(0, 'S', 22.5, 'W', 113.9), Record(1)};
    records[1].gsX = 70000.8;  // beyond 16 bits: the low 16 bits of 70000
    const TrackLoad load = Build(records);
    ASSERT_EQ(load.track->pointArray().size(), 2u);
    const GPSPoint& p = load.track->pointArray()[0];
    EXPECT_EQ(std::tuple(p.lat, p.lon, p.gsX, p.gsY, p.gsZ), std::tuple(-22.5, -113.9, 12, -3, 98));
    EXPECT_DOUBLE_EQ(p.speed, 18.52);  // 10 knots
    EXPECT_EQ(std::pair(int(load.track->pointArray()[1].gsX), load.track->pointArray()[1].time), std::pair(70000 - 65536, 1000.0));
    EXPECT_GT(load.track->getTotalDist(), 0);  // built
}

TEST(EmbeddedTrack, BadLettersNumbersAndDatesAreSkippedOrKeepThePreviousTime) {
    // The first good record gives the start, whatever the letters of the records before it.
    std::vector<GPSRecord> lettered = {Record(0, 'X'), Record(4), Record(5, 'N', 22.5, '\0')};
    const TrackLoad first = Build(lettered);
    ASSERT_EQ(first.track->pointArray().size(), 1u);
    EXPECT_EQ(first.track->pointArray()[0].time, 4000);
    EXPECT_EQ(first.lineArray, (std::vector<double>{22.5, 113.9}));

    std::vector<GPSRecord> records = {Record(0), Record(1, 'N', std::nan("")),
                                      Record(2, 'N', 22.5, 'E', std::numeric_limits<double>::infinity()),
                                      Record(3), Record(4), Record(5, 'N', 90.5)};
    records[3].month = 13;
    const TrackLoad load = Build(records);
    ASSERT_EQ(load.track->pointArray().size(), 3u);
    EXPECT_EQ(load.track->pointArray()[1].time, 0);  // bad date: the time before it
    EXPECT_EQ(load.track->pointArray()[2].time, 4000);
    EXPECT_TRUE(Build({}).track->isEmpty());
}

// Cameras on the GPS clock give UTC times, some several a second; the
// accelerometer may run at a rate of its own.
TEST(EmbeddedTrack, UTCClockMillisecondsAndAccelerometerSamples) {
    std::vector<GPSRecord> records = {Record(0), Record(0), Record(1)};
    records[1].millisecond = 500;
    for (GPSRecord& r : records) r.gsX = r.gsY = r.gsZ = 0;  // the accelerometer serves only records without values
    const TrackLoad load = Build(records, GPSClock::UTC, {{0, 1, 2, 3}, {450, 4, 5, 6}, {990, 7, 8, 9}});
    ASSERT_EQ(load.track->pointArray().size(), 3u);
    std::vector<std::tuple<double, int, int>> timeXZ;
    for (const GPSPoint& p : load.track->pointArray()) timeXZ.emplace_back(p.time, p.gsX, p.gsZ);
    EXPECT_EQ(timeXZ, (std::vector<std::tuple<double, int, int>>{{0, 1, 3}, {500, 4, 6}, {1000, 7, 9}}));
    // 2015-06-15 12:00:00 UTC
    EXPECT_EQ(std::chrono::system_clock::to_time_t(load.track->getStartTime()), 1434369600);
}

TEST(TrackLoader, SideFilePathReplacesTheLastExtensionAndWinsOverEmbeddedData) {
    EXPECT_EQ(SideFilePath("/a/b/clip.2015.MOV"), "/a/b/clip.2015.GMAP");
    EXPECT_EQ(SideFilePath("/a.d/clip"), "/a.d/clip.GMAP");
    EXPECT_EQ(SideFilePath("clip.mp4", "gmap"), "clip.gmap");

    const ScopedTempDir dir;
    const std::string video = dir.write("clip.MOV", mov::Movie({mov::TextTrack({GPSTextAt(0), GPSTextAt(1), GPSTextAt(2)})}));
    const TrackLoad embedded = LoadTrack(video);
    EXPECT_EQ(embedded.source, TrackSource::Embedded);
    EXPECT_EQ(embedded.track->pointArray().size(), 3u);
    dir.write("clip.GMAP", JoinSideFile({SideFileRecordLine(SideFilePosition('S', 1, 0, 'W', 2, 0),
                                                            SideFileTimestamp(2020, 1, 1, 0, 0, 0))}));
    const TrackLoad load = LoadTrack(video);
    EXPECT_EQ(load.source, TrackSource::SideFile);
    ASSERT_EQ(load.track->pointArray().size(), 1u);
    EXPECT_EQ(std::pair(load.track->pointArray()[0].lat, load.track->pointArray()[0].lon), std::pair(-1.0, -2.0));
    // No data anywhere is an empty track.
    for (const std::string& path : {dir.write("junk.MOV", "not a movie"), std::string("/nonexistent/clip.AVI")}) {
        const TrackLoad none = LoadTrack(path);
        ASSERT_TRUE(none.track);
        EXPECT_TRUE(none.track->isEmpty());
        EXPECT_FALSE(none.firstPoint);
    }
}

}  // namespace
