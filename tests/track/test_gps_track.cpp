#include "GPSTrack.h"
#include "GeomTransform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

GPSTrack TrackOf(std::initializer_list<std::array<double, 4>> latLonTimeSpeed) {
    GPSTrack track;
    for (const auto& p : latLonTimeSpeed) track.addPoint(p[0], p[1], p[2], 0, 0, 0, p[3]);
    return track;
}

GPSPoint At(double lat, double lon, double time = 0) { return GPSPoint::pointWithLat(lat, lon, time, 0, 0, 0, 0); }

TEST(GPSPoint, ToStringPicksLettersBySignWithLongitudeFirst) {
    const struct { double lon, lat; const char* text; } cases[] = {
        {116.4, 39.9, "E:116.400000\u00B0  N:39.900000\u00B0"}, {-73.5, 40.25, "W:-73.500000\u00B0  N:40.250000\u00B0"},
        {151.2, -33.85, "E:151.200000\u00B0  S:-33.850000\u00B0"},
        {-0.0, -0.0, "E:-0.000000\u00B0  N:-0.000000\u00B0"},  // east and north; printf keeps the sign
    };
    for (const auto& c : cases) EXPECT_EQ(At(c.lat, c.lon).toString(), c.text);
    const std::string huge = At(0, 1e300).toString();  // not cut short
    EXPECT_EQ(huge.substr(huge.size() - 14), "  N:0.000000\u00B0");
}

// Reference figures (Gauss-Krueger, Krassovsky ellipsoid) computed independently.
TEST(GeomTransform, ProjectionMatchesReferenceFiguresAndInvertsWithSigns) {
    const struct { double centre, lon, lat, x, y; } cases[] = {
        {115, 116.4, 39.9, 4419442.208, 119729.751}, {30, 30, 0, 0, 0}, {30, 30, 1, 110576.368, 0},
        {-60, -61.2, -33.5, NAN, NAN},  // south and west: checked by sign and round trip
    };
    for (const auto& c : cases) {
        GeomTransform g;
        g.setCenterL(c.centre);
        const double x = g.getGaussX(c.lon, c.lat), y = g.getGaussY(c.lon, c.lat);
        if (!std::isnan(c.x)) { EXPECT_NEAR(x, c.x, 1e-3) << c.lon << " " << c.lat; }
        if (!std::isnan(c.y)) { EXPECT_NEAR(y, c.y, 1e-3) << c.lon << " " << c.lat; }
        if (c.lat < 0) { EXPECT_TRUE(x < 0 && y < 0); }
        EXPECT_NEAR(g.getLong(x, y), c.lon, 1e-7);
        EXPECT_NEAR(g.getLat(x, y), c.lat, 1e-7);
    }
}

// Checks everything buildSpeed promises about a track it has just built.
void ExpectBuiltInvariants(const GPSTrack& track) {
    const auto& points = track.pointArray();
    ASSERT_FALSE(points.empty());
    GeomTransform reference;
    double total = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        if (i > 0) total += reference.getDistance(points[i].lon, points[i].lat, points[i - 1].lon, points[i - 1].lat);
        EXPECT_EQ(points[i].distFromSrc, static_cast<int32_t>(total)) << "point " << i;
        EXPECT_EQ(points[i].distFromSrc + points[i].distToDes, track.getTotalDist()) << "point " << i;
    }
    EXPECT_EQ(track.getTotalDist(), static_cast<int32_t>(total));
}

TEST(GPSTrackBuild, WorkedFigures) {
    const struct { const char* what; GPSTrack track; int total, max, min, avg; } cases[] = {
        {"one point: no distance, its own speed", TrackOf({{39.9, 116.4, 0, 25.7}}), 0, 25, 25, 0},
        // 111.321 m along the equator in 10 s: 40.07 km/h; the lowest speed is the last point's.
        {"equator", TrackOf({{0, 0, 0, 30}, {0, 0.0005, 5000, 55.9}, {0, 0.001, 10000, 12.4}}), 111, 55, 12, 40},
        {"equal end times", TrackOf({{39.9, 116.4, 3000, 0}, {39.9, 116.41, 3000, 0}}), 855, 0, 0, 0},
        {"north", TrackOf({{39.9, 116.4, 0, 0}, {39.91, 116.4, 100000, 0}}), 1110, 39, 0, 39},
        // Positions and recorded speeds that disagree: the maximum is at least the average.
        {"speeds of zero over 10 s", TrackOf({{0, 0, 0, 0}, {0, 0.001, 10000, 0}}), 111, 40, 0, 40},
        {"time running backwards", TrackOf({{0, 0, 10000, 5}, {0, 0.001, 0, 5}}), 111, 5, 5, 0},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.what);
        const double lastSpeed = c.track.pointArray().back().speed;
        c.track.buildSpeed();
        EXPECT_EQ((std::array{c.track.getTotalDist(), c.track.getMaxSpeed(), c.track.getMinSpeed(), c.track.getAvgSpeed()}),
                  (std::array{c.total, c.max, c.min, c.avg}));
        ExpectBuiltInvariants(c.track);
        EXPECT_EQ(c.track.pointArray().back().speed, lastSpeed) << "buildSpeed never changes a point's speed";
    }
    // Points added after a build wait for the next one.
    GPSTrack track = TrackOf({{39.9, 116.4, 0, 10}, {39.9, 116.41, 100000, 40}});
    track.buildSpeed();
    track.addPoint(39.91, 116.41, 200000, 0, 0, 0, 90);
    EXPECT_EQ(track.getTotalDist(), 855);
    track.buildSpeed();
    EXPECT_EQ(track.getTotalDist(), 855 + 1110);
    EXPECT_EQ(track.getMaxSpeed(), 90);
}

TEST(GPSTrackLookup, InterpolatesInsideAndClampsOutsideWithTheSegmentStart) {
    // East 0.1 degree, then north 0.2; an equal time must never divide by zero. lastSeg -1: not checked.
    const GPSTrack three = TrackOf({{50.0, 10.0, 0}, {50.0, 10.1, 1000}, {50.2, 10.1, 2000}});
    const GPSTrack repeated = TrackOf({{50.0, 10.0, 0}, {50.0, 10.1, 1000}, {50.1, 10.1, 1000}, {50.3, 10.1, 2000}});
    const struct { const GPSTrack& track; double t, lon, lat, time; int index, lastSeg; } cases[] = {
        {three, -300, 10.0, 50.0, 0, 0, 0},     {three, 0, 10.0, 50.0, 0, 0, -1},
        {three, 500, 10.05, 50.0, 500, 0, 1},   {three, 1000, 10.1, 50.0, 1000, 0, -1},
        {three, 1500, 10.1, 50.1, 1500, 1, 2},  {three, 2000, 10.1, 50.2, 2000, 1, -1},
        {three, 2500, 10.1, 50.2, 2000, 2, 0},  {repeated, 1000, 10.1, 50.0, 1000, 0, -1},
        {repeated, 1500, 10.1, 50.2, 1500, 2, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.t);
        GPSTrack track = c.track;
        GPSPoint out;
        out.speed = 77;
        ASSERT_TRUE(track.getPoint(c.t, out));
        EXPECT_DOUBLE_EQ(out.lon, c.lon);
        EXPECT_DOUBLE_EQ(out.lat, c.lat);
        EXPECT_EQ(out.time, c.time);
        EXPECT_EQ(track.getIndex(c.t), c.index);
        if (c.lastSeg >= 0) { EXPECT_EQ(track.getLastSegIndex(), c.lastSeg); }
        EXPECT_EQ(out.speed, 77) << "only the place and the time are written";
    }
    GPSTrack empty;
    GPSPoint out = At(1, 2, 3);
    EXPECT_FALSE(empty.getPoint(0, out) || empty.getPoint(1.0, 2.0, out));
    EXPECT_EQ(out.lat, 1);
    EXPECT_EQ(empty.getIndex(0), -1);
}

// Playback as the timer sees it: 400 ms ticks, pauses, seeks both ways, a start before the track
// and a run past its end; the cached segment must give what a full search gives.
TEST(GPSTrackLookup, CachedSegmentAgreesWithTheFullSearch) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> gap(0, 2), event(0, 19);
    for (int n : {1, 2, 3, 10, 200}) {
        GPSTrack track;
        double time = 0;
        for (int i = 0; i < n; ++i) {
            track.addPoint(22.5 + 0.001 * i * (i % 3), 113.9 + 0.001 * i, time, 0, 0, 0, 0);
            time += 1000 * gap(random);  // equal times, one-second and two-second steps
        }
        const GPSTrack untouched = track;
        std::uniform_real_distribution<double> anywhere(-2000, time + 2000);
        double t = -800;
        for (int tick = 0; tick < 3000; ++tick) {
            const int e = event(random);
            if (e == 0) t = anywhere(random);
            else if (e > 2) t += 400;
            GPSTrack fresh = untouched;
            GPSPoint cached, full;
            ASSERT_TRUE(track.getPoint(t, cached) && fresh.getPoint(t, full));
            ASSERT_EQ(std::tuple(cached.lon, cached.lat, cached.time), std::tuple(full.lon, full.lat, full.time))
                << "n " << n << " t " << t;
        }
    }
}

TEST(GPSTrackLookup, NearestPlaceOnTheTrack) {
    const GPSTrack track = TrackOf({{0, 0, 0}, {0, 2, 1000}, {2, 2, 2000}});
    const struct { double lat, lon, footLat, footLon, time; } cases[] = {
        {0.5, 1.5, 0, 1.5, 750},  // both segments are 0.5 away; the first wins
        {2.0, 2.0, 2, 2, 2000},   {-1, 3, 0, 2, 1000},  {0, -1, 0, 0, 0},
    };
    for (const auto& c : cases) {
        GPSPoint out;
        ASSERT_TRUE(track.getPoint(c.lat, c.lon, out));
        EXPECT_EQ(std::tuple(out.lat, out.lon, out.time), std::tuple(c.footLat, c.footLon, c.time)) << c.lat << " " << c.lon;
    }
    GPSPoint out = At(1, 1, 1);
    EXPECT_TRUE(TrackOf({{5, 5, 0}}).getPoint(0.0, 0.0, out));
    EXPECT_EQ(out.lat, 1) << "a single point is no line";
    GPSPoint foot;
    EXPECT_DOUBLE_EQ(GPSTrack::distancePointLine(At(4, 3), At(0, 0, 100), At(0, 0, 900), foot), 5) << "a segment of no length";
    EXPECT_EQ(foot.time, 100);
}

}  // namespace
