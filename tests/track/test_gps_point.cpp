#include "GPSPoint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

GPSPoint At(double lon, double lat) {
    GPSPoint p;
    p.lon = lon;
    p.lat = lat;
    return p;
}

TEST(GPSPoint, FactoryStoresArgumentsLatitudeFirstAndLeavesDistancesZero) {
    const GPSPoint p = GPSPoint::pointWithLat(39.9, 116.4, 1500, -3, 7, 98, 42.5);
    EXPECT_EQ(p.lat, 39.9);
    EXPECT_EQ(p.lon, 116.4);
    EXPECT_EQ(p.time, 1500);
    EXPECT_EQ(p.gsX, -3);
    EXPECT_EQ(p.gsY, 7);
    EXPECT_EQ(p.gsZ, 98);
    EXPECT_EQ(p.speed, 42.5);
    EXPECT_EQ(p.distFromSrc, 0);
    EXPECT_EQ(p.distToDes, 0);
}

TEST(GPSPoint, ToStringPicksLettersBySignWithLongitudeFirst) {
    EXPECT_EQ(GPSPoint::point().toString(), "E:0.000000\u00B0  N:0.000000\u00B0");
    EXPECT_EQ(At(116.4, 39.9).toString(), "E:116.400000\u00B0  N:39.900000\u00B0");
    EXPECT_EQ(At(-73.5, 40.25).toString(), "W:-73.500000\u00B0  N:40.250000\u00B0");
    EXPECT_EQ(At(151.2, -33.85).toString(), "E:151.200000\u00B0  S:-33.850000\u00B0");
    EXPECT_EQ(At(-58.4, -34.6).toString(), "W:-58.400000\u00B0  S:-34.600000\u00B0");
    // Negative zero is east and north; printf keeps its sign.
    EXPECT_EQ(At(-0.0, -0.0).toString(), "E:-0.000000\u00B0  N:-0.000000\u00B0");
}

TEST(GPSPoint, ToStringOfHugeValuesIsNotCutShort) {
    const std::string text = At(1e300, 0).toString();
    EXPECT_EQ(text.substr(0, 3), "E:1");
    EXPECT_EQ(text.substr(text.size() - 14), "  N:0.000000\u00B0");
}

TEST(GPSPoint, EqualsComparesPositionOnlyAndExactly) {
    GPSPoint a = GPSPoint::pointWithLat(50, 10, 0, 1, 2, 3, 10);
    GPSPoint b = GPSPoint::pointWithLat(50, 10, 999, -1, -2, -3, 80);
    b.distFromSrc = 12;
    EXPECT_TRUE(a.equals(b));
    b.lat = std::nextafter(50.0, 51.0);
    EXPECT_FALSE(a.equals(b));
    b.lat = 50;
    b.lon = std::nextafter(10.0, 9.0);
    EXPECT_FALSE(a.equals(b));

    const GPSPoint nan = At(std::numeric_limits<double>::quiet_NaN(), 0);
    EXPECT_FALSE(nan.equals(nan));
}

TEST(GPSPoint, DistanceIsPlaneDegrees) {
    EXPECT_EQ(At(0, 0).distance(At(3, 4)), 5);
    EXPECT_EQ(At(3, 4).distance(At(0, 0)), 5);
    EXPECT_EQ(At(116.4, 39.9).distance(At(116.4, 39.9)), 0);
}

}  // namespace
