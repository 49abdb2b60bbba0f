#include "GPSTrack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <array>
#include <random>

namespace {

GPSTrack TrackOf(std::initializer_list<std::array<double, 3>> latLonTime) {
    GPSTrack track;
    for (const auto& p : latLonTime) track.addPoint(p[0], p[1], p[2], 0, 0, 0, 0);
    return track;
}

// Points at 0, 1000 and 2000 ms: east 0.1 degree, then north 0.2 degree.
const GPSTrack kThree = TrackOf({{50.0, 10.0, 0}, {50.0, 10.1, 1000}, {50.2, 10.1, 2000}});

TEST(GPSTrackLookup, InterpolatesInsideAndClampsOutsideWithTheSegmentStart) {
    // lastSeg -1: not checked.
    const struct { double t, lon, lat, time; int index, lastSeg; } cases[] = {
        {-300, 10.0, 50.0, 0, 0, 0},     {0, 10.0, 50.0, 0, 0, -1},
        {500, 10.05, 50.0, 500, 0, 1},   {1000, 10.1, 50.0, 1000, 0, -1},
        {1500, 10.1, 50.1, 1500, 1, 2},  {2000, 10.1, 50.2, 2000, 1, -1},
        {2500, 10.1, 50.2, 2000, 2, 0},
    };
    for (const auto& c : cases) {
        GPSTrack track = kThree;
        GPSPoint out;
        out.speed = 77;
        out.gsX = 5;
        ASSERT_TRUE(track.getPoint(c.t, out)) << c.t;
        EXPECT_DOUBLE_EQ(out.lon, c.lon) << c.t;
        EXPECT_DOUBLE_EQ(out.lat, c.lat) << c.t;
        EXPECT_EQ(out.time, c.time) << c.t;
        EXPECT_EQ(track.getIndex(c.t), c.index) << c.t;
        if (c.lastSeg >= 0) { EXPECT_EQ(track.getLastSegIndex(), c.lastSeg) << c.t; }
        // Only the place and the time are written.
        EXPECT_EQ(out.speed, 77);
        EXPECT_EQ(out.gsX, 5);
    }
}

TEST(GPSTrackLookup, EmptyTrackAnswersFalseAndLeavesTheOutputAlone) {
    GPSTrack track;
    GPSPoint out = GPSPoint::pointWithLat(1, 2, 3, 4, 5, 6, 7);
    EXPECT_FALSE(track.getPoint(0, out));
    EXPECT_FALSE(track.getPoint(1.0, 2.0, out));
    EXPECT_EQ(out.lat, 1);
    EXPECT_EQ(out.lon, 2);
    EXPECT_EQ(out.time, 3);
    EXPECT_EQ(track.getIndex(0), -1);
}

TEST(GPSTrackLookup, EqualTimesNeverDivideByZero) {
    GPSTrack track = TrackOf({{50.0, 10.0, 0}, {50.0, 10.1, 1000}, {50.1, 10.1, 1000}, {50.3, 10.1, 2000}});
    GPSPoint out;
    ASSERT_TRUE(track.getPoint(1000, out));
    EXPECT_EQ(out.lon, 10.1);
    EXPECT_EQ(out.lat, 50.0);
    ASSERT_TRUE(track.getPoint(1500, out));
    EXPECT_DOUBLE_EQ(out.lat, 50.2);
    EXPECT_EQ(out.time, 1500);
    EXPECT_EQ(track.getIndex(1000), 0);
    EXPECT_EQ(track.getIndex(1500), 2);
    // All points in one second: the lookups stay numbers.
    GPSTrack still = TrackOf({{50, 10, 3000}, {51, 10, 3000}, {52, 10, 3000}, {53, 10, 3000}});
    for (double t : {2999.0, 3000.0, 3001.0}) {
        ASSERT_TRUE(still.getPoint(t, out));
        EXPECT_EQ(out.time, 3000);
        EXPECT_FALSE(std::isnan(out.lat));
    }
}

// Playback as the timer sees it: 400 ms ticks, pauses, seeks both ways, a
// start before the track and a run past its end.
std::vector<double> PlaybackTimes(std::mt19937& random, double trackEnd) {
    std::uniform_real_distribution<double> anywhere(-2000, trackEnd + 2000);
    std::uniform_int_distribution<int> event(0, 19);
    std::vector<double> times;
    double t = -800;
    for (int tick = 0; tick < 3000; ++tick) {
        const int e = event(random);
        if (e == 0) t = anywhere(random);  // seek
        else if (e > 2) t += 400;          // play; 1 and 2 are pauses
        times.push_back(t);
    }
    return times;
}

TEST(GPSTrackLookup, CachedSegmentAgreesWithTheFullSearch) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> gap(0, 2);
    for (int n : {1, 2, 3, 10, 200}) {
        GPSTrack track;
        double time = 0;
        for (int i = 0; i < n; ++i) {
            track.addPoint(22.5 + 0.001 * i * (i % 3), 113.9 + 0.001 * i, time, 0, 0, 0, 0);
            time += 1000 * gap(random);  // equal times, one-second and two-second steps
        }
        const GPSTrack untouched = track;
        for (double t : PlaybackTimes(random, time)) {
            GPSTrack fresh = untouched;  // lastSegIndex 0: always the full search
            GPSPoint cached, full;
            ASSERT_TRUE(track.getPoint(t, cached));
            ASSERT_TRUE(fresh.getPoint(t, full));
            ASSERT_EQ(cached.lon, full.lon) << "n " << n << " t " << t;
            ASSERT_EQ(cached.lat, full.lat) << "n " << n << " t " << t;
            ASSERT_EQ(cached.time, full.time) << "n " << n << " t " << t;
            if (fresh.getLastSegIndex() != 0) { ASSERT_EQ(track.getLastSegIndex(), fresh.getLastSegIndex()); }
        }
    }
}

TEST(GPSTrackLookup, DistancePointLineProjectsOntoTheSegmentAndClampsToItsEnds) {
    const GPSPoint a = GPSPoint::pointWithLat(0, 0, 100, 0, 0, 0, 0);
    const GPSPoint b = GPSPoint::pointWithLat(0, 2, 300, 0, 0, 0, 0);
    const GPSPoint same = GPSPoint::pointWithLat(0, 0, 900, 0, 0, 0, 0);  // no length: its first point
    const struct { double lat, lon; const GPSPoint& end; double dist, footLon, footTime; } cases[] = {
        {1, 1, b, 1, 1, 200}, {0, 3, b, 1, 2, 300}, {0, -1, b, 1, 0, 100}, {4, 3, same, 5, 0, 100},
    };
    for (const auto& c : cases) {
        GPSPoint f;
        EXPECT_DOUBLE_EQ(GPSTrack::distancePointLine(GPSPoint::pointWithLat(c.lat, c.lon, 0, 0, 0, 0, 0),
                                                     a, c.end, f), c.dist);
        EXPECT_EQ(f.lon, c.footLon);
        EXPECT_EQ(f.lat, 0);
        EXPECT_EQ(f.time, c.footTime);
    }
}

TEST(GPSTrackLookup, NearestPlaceOnTheTrack) {
    const GPSTrack track = TrackOf({{0, 0, 0}, {0, 2, 1000}, {2, 2, 2000}});
    GPSPoint out;
    ASSERT_TRUE(track.getPoint(0.5, 1.5, out));  // both segments are 0.5 away; the first wins
    EXPECT_EQ(out.lon, 1.5);
    EXPECT_EQ(out.lat, 0);
    EXPECT_EQ(out.time, 750);
    ASSERT_TRUE(track.getPoint(2.0, 2.0, out));
    EXPECT_EQ(out.lon, 2);
    EXPECT_EQ(out.lat, 2);
    EXPECT_EQ(out.time, 2000);
    // A single point is no line: the output stays as it was.
    const GPSTrack single = TrackOf({{5, 5, 0}});
    out = GPSPoint::pointWithLat(1, 1, 1, 0, 0, 0, 0);
    EXPECT_TRUE(single.getPoint(0.0, 0.0, out));
    EXPECT_EQ(out.lat, 1);
}

}  // namespace
