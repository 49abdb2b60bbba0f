#include "GeomTransform.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Reference figures (Gauss-Krueger, Krassovsky ellipsoid) computed independently.
TEST(GeomTransform, ProjectionMatchesReferenceFiguresAndInvertsWithSigns) {
    const struct { double centre, lon, lat, x, y; } cases[] = {
        {115, 116.4, 39.9, 4419442.208, 119729.751},
        {30, 30, 45, NAN, 0},          // on the central meridian
        {30, 30, 0, 0, 0},             // on the equator
        {30, 30, 1, 110576.368, 0},
        {-60, -61.2, -33.5, NAN, NAN},  // south and west: checked by sign and round trip
    };
    for (const auto& c : cases) {
        GeomTransform g;
        g.setCenterL(c.centre);
        const double x = g.getGaussX(c.lon, c.lat), y = g.getGaussY(c.lon, c.lat);
        EXPECT_EQ(g.gauss_X, x);
        EXPECT_EQ(g.gauss_Y, y);
        if (!std::isnan(c.x)) { EXPECT_NEAR(x, c.x, 1e-3) << c.lon << " " << c.lat; }
        if (!std::isnan(c.y)) { EXPECT_NEAR(y, c.y, 1e-3) << c.lon << " " << c.lat; }
        if (c.lat < 0) {
            EXPECT_LT(x, 0);
            EXPECT_LT(y, 0);
        }
        EXPECT_NEAR(g.getLong(x, y), c.lon, 1e-7);
        EXPECT_NEAR(g.getLat(x, y), c.lat, 1e-7);
        EXPECT_EQ(g.earth_Lat, g.getLat(x, y));
    }
}

TEST(GeomTransform, DistanceMatchesReferenceFiguresAndIsSymmetric) {
    GeomTransform g;
    EXPECT_NEAR(g.getDistance(116.4, 39.9, 116.41, 39.9), 855.197, 1e-3);
    EXPECT_NEAR(g.getDistance(116.4, 39.9, 116.4, 39.91), 1110.347, 1e-3);
    EXPECT_NEAR(g.getDistance(0, 0, 0.001, 0), 111.321, 1e-3);
    EXPECT_EQ(g.getDistance(116.4, 39.9, 116.4, 39.9), 0);
    EXPECT_EQ(g.getDistance(116.41, 39.95, 116.4, 39.9), g.getDistance(116.4, 39.9, 116.41, 39.95));
    // The distance leaves its mid-meridian and the second position's projection behind.
    g.getDistance(116.4, 39.9, 116.5, 40.0);
    EXPECT_DOUBLE_EQ(g.getCenterL(), 116.45);
    GeomTransform fresh;
    fresh.setCenterL(116.45);
    EXPECT_EQ(g.gauss_X, fresh.getGaussX(116.5, 40.0));
}

}  // namespace
