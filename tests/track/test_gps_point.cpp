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

}  // namespace
