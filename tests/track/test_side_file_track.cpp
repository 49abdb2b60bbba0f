#include "SideFileBuilder.h"
#include "TempFile.h"
#include "TrackLoader.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const std::string kNorthEast = SideFilePosition('N', 22, 301234, 'E', 113, 543210);

std::string Stamp(int second, int minute = 0) {
    return SideFileTimestamp(2015, 6, 15, 12, minute, second);
}

TrackLoad LoadText(const std::string& text) {
    const TempFile file(text, "GMAP");
    return LoadSideFileTrack(file.path());
}

std::vector<double> Times(const TrackLoad& load) {
    std::vector<double> times;
    for (const GPSPoint& p : load.track->pointArray()) times.push_back(p.time);
    return times;
}

TEST(SideFileTrack, RecordsOnlyStartAtZeroInWholeSeconds) {
    const TrackLoad load = LoadText(JoinSideFile({SideFileRecordLine(kNorthEast, Stamp(5)),
                                                  SideFileRecordLine(kNorthEast, Stamp(6)),
                                                  SideFileRecordLine(kNorthEast, Stamp(9, 1))}));
    EXPECT_EQ(load.source, TrackSource::SideFile);
    EXPECT_EQ(Times(load), (std::vector<double>{0, 1000, 64000}));
    const GPSPoint& p = load.track->pointArray()[0];
    EXPECT_DOUBLE_EQ(p.lat, 22 + 301234 / 600000.0);
    EXPECT_DOUBLE_EQ(p.lon, 113 + 543210 / 600000.0);
    EXPECT_EQ(p.speed, 0);
    EXPECT_EQ(p.gsX, 0);
    ASSERT_TRUE(load.firstPoint);
    EXPECT_EQ(load.firstPoint->lat, p.lat);
    EXPECT_EQ(load.firstPoint->lon, p.lon);
    ASSERT_EQ(load.lineArray.size(), 6u);
    EXPECT_EQ(load.lineArray[0], p.lat);
    EXPECT_EQ(load.lineArray[1], p.lon);
}

TEST(SideFileTrack, HeaderLineGivesTheStartTimeAndIsNoPoint) {
    const TrackLoad load = LoadText(JoinSideFile({"CAMERA HEADER v1 " + Stamp(0),
                                                  SideFileRecordLine(kNorthEast, Stamp(3)),
                                                  SideFileRecordLine(kNorthEast, Stamp(4))}));
    EXPECT_EQ(Times(load), (std::vector<double>{3000, 4000}));
    EXPECT_TRUE(load.hasStartTime);
    const auto start = load.track->getStartTime();
    EXPECT_EQ(std::chrono::system_clock::to_time_t(start), 1434369600);  // 2015-06-15 12:00:00 UTC
}

TEST(SideFileTrack, SouthAndWestAreNegative) {
    const TrackLoad load = LoadText(JoinSideFile(
        {SideFileRecordLine(SideFilePosition('S', 22, 301234, 'W', 43, 120000), Stamp(0))}));
    ASSERT_EQ(load.track->pointArray().size(), 1u);
    const GPSPoint& p = load.track->pointArray()[0];
    EXPECT_NEAR(p.lat, -22.5020567, 5e-8);
    EXPECT_DOUBLE_EQ(p.lon, -43.2);
}

TEST(SideFileTrack, SeparatorsMixAndTheLastComponentIsNeverRead) {
    const std::vector<std::string> lines = {SideFileRecordLine(kNorthEast, Stamp(0)),
                                            SideFileRecordLine(kNorthEast, Stamp(1)),
                                            SideFileRecordLine(kNorthEast, Stamp(2))};
    const std::string mixed = {kSideFileSeparatorA, kSideFileSeparatorB};
    EXPECT_EQ(LoadText(JoinSideFile(lines, mixed)).track->pointArray().size(), 3u);
    // CR and LF are no separators: the lines run together into one component.
    EXPECT_EQ(LoadText(JoinSideFile(lines, "\r\n")).track->pointArray().size(), 0u);
    EXPECT_EQ(Times(LoadText(JoinSideFile(lines, mixed, false))), (std::vector<double>{0, 1000}));
    // Two separators in a row make an empty component, which is skipped.
    EXPECT_EQ(LoadText(JoinSideFile({lines[0], "", lines[1]})).track->pointArray().size(), 2u);
    EXPECT_TRUE(LoadText(lines[0]).track->isEmpty());
}

TEST(SideFileTrack, GSensorMeansOfA233CharacterLine) {
    std::vector<SideFileSample> samples;
    for (int k = 0; k < 16; ++k) samples.push_back({10 + k % 2, -(20 + k % 4), 100 - k});
    const std::string line = SideFileRecordLine(kNorthEast, samples, Stamp(0));
    ASSERT_EQ(line.size(), 233u);
    const GPSPoint p = LoadText(JoinSideFile({line})).track->pointArray().at(0);
    EXPECT_EQ(p.gsX, 10);   // mean 10.5, cut toward zero
    EXPECT_EQ(p.gsY, -21);  // mean -21.5
    EXPECT_EQ(p.gsZ, 92);   // mean 92.5

    // Equal samples average to themselves, however floating point would round value / 16.
    const std::vector<SideFileSample> equal(16, {995, -995, 7});
    const GPSPoint q = LoadText(JoinSideFile({SideFileRecordLine(kNorthEast, equal, Stamp(0))}))
                           .track->pointArray().at(0);
    EXPECT_EQ(q.gsX, 995);
    EXPECT_EQ(q.gsY, -995);
    EXPECT_EQ(q.gsZ, 7);
}

TEST(SideFileTrack, ShortLinesCarryNoGSensorAndPartialBlocksAverageWhatTheyHold) {
    const std::string shortest = SideFileRecordLine(kNorthEast, Stamp(0));
    ASSERT_EQ(shortest.size(), 33u);
    std::string sixtyThree = kNorthEast + std::string(30, '9') + Stamp(1);
    ASSERT_EQ(sixtyThree.size(), 63u);
    // Five whole samples end before the timestamp: X 40, 41, 40, 41, 40 average to 40.
    const std::string partial =
        SideFileRecordLine(kNorthEast, {{40, 1, 2}, {41, 1, 2}, {40, 1, 2}, {41, 1, 2}, {40, 3, 2}}, Stamp(2));
    ASSERT_EQ(partial.size(), 101u);
    const auto points = LoadText(JoinSideFile({shortest, sixtyThree, partial})).track->pointArray();
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].gsX, 0);
    EXPECT_EQ(points[1].gsX, 0);
    EXPECT_EQ(points[1].gsZ, 0);
    EXPECT_EQ(points[2].gsX, 40);
    EXPECT_EQ(points[2].gsY, 1);
    EXPECT_EQ(points[2].gsZ, 2);
}

TEST(SideFileTrack, LinesTooShortForPositionAndTimestampAreSkipped) {
    const std::string full = SideFileRecordLine(kNorthEast, Stamp(0));
    const TrackLoad load = LoadText(JoinSideFile({full.substr(0, 10), full.substr(0, 19),
                                                  full.substr(0, 32), full}));
    ASSERT_EQ(load.track->pointArray().size(), 1u);
    EXPECT_EQ(load.lineArray.size(), 2u);
}

TEST(SideFileTrack, BadTimestampsKeepThePreviousTime) {
    const TrackLoad load = LoadText(JoinSideFile({
        SideFileRecordLine(kNorthEast, SideFileTimestamp(2015, 2, 29, 12, 0, 0)),  // no start yet
        SideFileRecordLine(kNorthEast, Stamp(10)),
        SideFileRecordLine(kNorthEast, Stamp(12)),
        SideFileRecordLine(kNorthEast, SideFileTimestamp(2015, 6, 15, 24, 0, 0)),
        SideFileRecordLine(kNorthEast, SideFileTimestamp(2015, 6, 15, 12, 61, 0)),
        SideFileRecordLine(kNorthEast, Stamp(13)),
    }));
    EXPECT_EQ(Times(load), (std::vector<double>{0, 0, 2000, 2000, 2000, 3000}));

    const TrackLoad undated = LoadText(JoinSideFile({SideFileRecordLine(kNorthEast, "20151301120000"),
                                                     SideFileRecordLine(kNorthEast, "00000000000000")}));
    EXPECT_EQ(Times(undated), (std::vector<double>{0, 0}));
    EXPECT_FALSE(undated.hasStartTime);
}

TEST(SideFileTrack, DatesCenturiesApartGiveExactTimes) {
    const TrackLoad load = LoadText(JoinSideFile({
        SideFileRecordLine(kNorthEast, Stamp(0)),
        SideFileRecordLine(kNorthEast, SideFileTimestamp(1700, 1, 1, 0, 0, 0)),
        SideFileRecordLine(kNorthEast, SideFileTimestamp(2262, 1, 1, 0, 0, 0)),
    }));
    EXPECT_EQ(Times(load), (std::vector<double>{0, -9954705600000.0, 7780276800000.0}));
}

TEST(SideFileTrack, PositionsOffTheEarthAreSkipped) {
    const TrackLoad load = LoadText(JoinSideFile({
        SideFileRecordLine(SideFilePosition('N', 95, 0, 'E', 113, 0), Stamp(0)),
        SideFileRecordLine(SideFilePosition('S', 89, 599999, 'W', 180, 0), Stamp(1)),
        SideFileRecordLine(SideFilePosition('N', 10, 0, 'E', 181, 0), Stamp(2)),
        SideFileRecordLine(SideFilePosition('N', 90, 0, 'E', 179, 599999), Stamp(3)),
    }));
    EXPECT_EQ(Times(load), (std::vector<double>{1000, 3000}));
    EXPECT_EQ(load.lineArray.size(), 4u);
    ASSERT_TRUE(load.firstPoint);
    EXPECT_EQ(load.firstPoint->lon, -180);
}

TEST(SideFileTrack, UnreadableOrNonAsciiFilesGiveNoPoints) {
    const std::string text = JoinSideFile({SideFileRecordLine(kNorthEast, Stamp(0))});
    EXPECT_TRUE(LoadText(text + "\xC3\xA9").track->isEmpty());
    EXPECT_TRUE(LoadText("\x80" + text).track->isEmpty());
    const TrackLoad missing = LoadSideFileTrack("/nonexistent/kolvar/clip.GMAP");
    EXPECT_TRUE(missing.track->isEmpty());
    EXPECT_TRUE(missing.lineArray.empty());
    EXPECT_FALSE(missing.firstPoint);
    EXPECT_TRUE(LoadSideFileTrack("/tmp").track->isEmpty());
    // NUL is ASCII and simply no part of a record.
    EXPECT_EQ(LoadText(std::string(1, '\0') + text).track->pointArray().size(), 0u);
    EXPECT_EQ(LoadText(text + std::string(1, '\0')).track->pointArray().size(), 1u);
}

}  // namespace
