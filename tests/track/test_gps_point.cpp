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

TEST(GPSPoint, ToStringPicksLettersBySignWithLongitudeFirst) {
    const struct { double lon, lat; const char* text; } cases[] = {
        {0, 0, "E:0.000000\u00B0  N:0.000000\u00B0"},
        {116.4, 39.9, "E:116.400000\u00B0  N:39.900000\u00B0"},
        {-73.5, 40.25, "W:-73.500000\u00B0  N:40.250000\u00B0"},
        {151.2, -33.85, "E:151.200000\u00B0  S:-33.850000\u00B0"},
        {-58.4, -34.6, "W:-58.400000\u00B0  S:-34.600000\u00B0"},
        {-0.0, -0.0, "E:-0.000000\u00B0  N:-0.000000\u00B0"},  // east and north; printf keeps the sign
    };
    for (const auto& c : cases) EXPECT_EQ(At(c.lon, c.lat).toString(), c.text);
    // Huge values are not cut short.
    const std::string huge = At(1e300, 0).toString();
    EXPECT_EQ(huge.substr(0, 3), "E:1");
    EXPECT_EQ(huge.substr(huge.size() - 14), "  N:0.000000\u00B0");
}

TEST(GPSPoint, EqualsComparesPositionOnlyAndExactly) {
    const GPSPoint a = GPSPoint::pointWithLat(50, 10, 0, 1, 2, 3, 10);
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

}  // namespace
