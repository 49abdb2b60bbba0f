#include "LocalTime.h"
#include "SideFileBuilder.h"
#include "TempFile.h"
#include "TrackLoader.h"

#include <gtest/gtest.h>

#include <ctime>
#include <tuple>

namespace {

const std::string kNorthEast = SideFilePosition('N', 22, 301234, 'E', 113, 543210);

std::string Stamp(int second, int minute = 0) { return SideFileTimestamp(2015, 6, 15, 12, minute, second); }
std::string Line(const std::string& timestamp, const std::string& position = kNorthEast) {
    return SideFileRecordLine(position, timestamp);
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

TEST(SideFileTrack, RecordsStartAtZeroOrAtTheHeader) {
    const TrackLoad load = LoadText(JoinSideFile({Line(Stamp(5)), Line(Stamp(6)), Line(Stamp(9, 1))}));
    EXPECT_EQ(Times(load), (std::vector<double>{0, 1000, 64000}));
    const GPSPoint& p = load.track->pointArray()[0];
    EXPECT_DOUBLE_EQ(p.lat, 22 + 301234 / 600000.0);
    EXPECT_DOUBLE_EQ(p.lon, 113 + 543210 / 600000.0);
    EXPECT_EQ(std::tuple(p.speed, p.gsX), std::tuple(0, 0));
    EXPECT_TRUE(load.firstPoint && load.firstPoint->lat == p.lat);
    EXPECT_EQ(load.lineArray, (std::vector<double>{p.lat, p.lon, p.lat, p.lon, p.lat, p.lon}));

    const TrackLoad header = LoadText(JoinSideFile({"CAMERA HEADER v1 " + Stamp(0), Line(Stamp(3)), Line(Stamp(4))}));
    EXPECT_EQ(Times(header), (std::vector<double>{3000, 4000}));
    EXPECT_TRUE(header.hasStartTime);
    EXPECT_EQ(std::chrono::system_clock::to_time_t(header.track->getStartTime()), LocalTime(2015, 6, 15, 12, 0, 0));
}

TEST(SideFileTrack, GSensorMeansOfFullShortAndPartialLines) {
    std::vector<SideFileSample> mixed;
    for (int k = 0; k < 16; ++k) mixed.push_back({10 + k % 2, -(20 + k % 4), 100 - k});
    const std::string full = SideFileRecordLine(kNorthEast, mixed, Stamp(0));
    // Equal samples average to themselves, however floating point would round value / 16.
    const std::string equal = SideFileRecordLine(kNorthEast, std::vector<SideFileSample>(16, {995, -995, 7}), Stamp(1));
    const std::string shortest = Line(Stamp(2));
    const std::string sixtyThree = kNorthEast + std::string(30, '9') + Stamp(3);
    // Five whole samples end before the timestamp: X 40, 41, 40, 41, 40 average to 40.
    const std::string partial =
        SideFileRecordLine(kNorthEast, {{40, 1, 2}, {41, 1, 2}, {40, 1, 2}, {41, 1, 2}, {40, 3, 2}}, Stamp(4));
    const auto points = LoadText(JoinSideFile({full, equal, shortest, sixtyThree, partial})).track->pointArray();
    std::vector<std::tuple<int, int, int>> means;
    for (const GPSPoint& p : points) means.emplace_back(p.gsX, p.gsY, p.gsZ);
    // The first line's means 10.5, -21.5, 92.5 are cut toward zero.
    EXPECT_EQ(means, (std::vector<std::tuple<int, int, int>>{{10, -21, 92}, {995, -995, 7}, {0, 0, 0}, {0, 0, 0}, {40, 1, 2}}));
}

TEST(SideFileTrack, HostileAndOddTextsGiveTheRightPointsAndTimes) {
    const std::vector<std::string> lines = {Line(Stamp(0)), Line(Stamp(1)), Line(Stamp(2))};
    const std::string mixed = {kSideFileSeparatorA, kSideFileSeparatorB};
    const std::string text = JoinSideFile({lines[0]}), full = lines[0];
    const struct { const char* what; std::string text; std::vector<double> times; } cases[] = {
        {"mixed separators", JoinSideFile(lines, mixed), {0, 1000, 2000}},
        {"CR LF are no separators", JoinSideFile(lines, "\r\n"), {}},
        {"the last component is never read", JoinSideFile(lines, mixed, false), {0, 1000}},
        {"an empty component is skipped", JoinSideFile({lines[0], "", lines[1]}), {0, 1000}},
        {"no separator at all", lines[0], {}},
        {"too short for position and timestamp",
         JoinSideFile({full.substr(0, 10), full.substr(0, 19), full.substr(0, 32), full}), {0}},
        {"non-ASCII at the end", text + "\xC3\xA9", {}},
        {"non-ASCII at the start", "\x80" + text, {}},
        {"NUL is ASCII and no part of a record", std::string(1, '\0') + text, {}},
        {"NUL after the record", text + std::string(1, '\0'), {0}},
        {"bad timestamps keep the previous time", JoinSideFile({
             Line(SideFileTimestamp(2015, 2, 29, 12, 0, 0)),  // no start yet
             Line(Stamp(10)), Line(Stamp(12)), Line(SideFileTimestamp(2015, 6, 15, 24, 0, 0)),
             Line(SideFileTimestamp(2015, 6, 15, 12, 61, 0)), Line(Stamp(13))}),
         {0, 0, 2000, 2000, 2000, 3000}},
        {"dates centuries apart", JoinSideFile({Line(Stamp(0)), Line(SideFileTimestamp(1700, 1, 1, 0, 0, 0)),
                                                Line(SideFileTimestamp(2262, 1, 1, 0, 0, 0))}),
         {0, double(LocalTime(1700, 1, 1, 0, 0, 0) - LocalTime(2015, 6, 15, 12, 0, 0)) * 1000,
          double(LocalTime(2262, 1, 1, 0, 0, 0) - LocalTime(2015, 6, 15, 12, 0, 0)) * 1000}},
        {"positions off the Earth", JoinSideFile({
             Line(Stamp(0), SideFilePosition('N', 95, 0, 'E', 113, 0)),
             Line(Stamp(1), SideFilePosition('S', 89, 599999, 'W', 180, 0)),
             Line(Stamp(2), SideFilePosition('N', 10, 0, 'E', 181, 0)),
             Line(Stamp(3), SideFilePosition('N', 90, 0, 'E', 179, 599999))}),
         {1000, 3000}},
    };
    for (const auto& c : cases) {
        const TrackLoad load = LoadText(c.text);
        EXPECT_EQ(Times(load), c.times) << c.what;
        EXPECT_EQ(load.lineArray.size(), 2 * c.times.size()) << c.what;
        EXPECT_EQ(bool(load.firstPoint), !c.times.empty()) << c.what;
    }
    EXPECT_EQ(LoadText(cases[12].text).firstPoint->lon, -180);

    const TrackLoad undated = LoadText(JoinSideFile({Line("20151301120000"), Line("00000000000000")}));
    EXPECT_EQ(Times(undated), (std::vector<double>{0, 0}));
    EXPECT_FALSE(undated.hasStartTime);
    for (const char* unreadable : {"/nonexistent/kolvar/clip.GMAP", "/tmp"}) {
        const TrackLoad missing = LoadSideFileTrack(unreadable);
        EXPECT_TRUE(missing.track->isEmpty() && missing.lineArray.empty() && !missing.firstPoint) << unreadable;
    }
}

}  // namespace
