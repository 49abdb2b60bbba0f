#include "GeomTransform.h"

#include <gtest/gtest.h>

namespace {

TEST(GeomTransform, ForwardProjectionMatchesReferenceFigures) {
    GeomTransform g;
    g.setCenterL(115);
    EXPECT_NEAR(g.getGaussX(116.4, 39.9), 4419442.208, 1e-3);
    EXPECT_NEAR(g.getGaussY(116.4, 39.9), 119729.751, 1e-3);
    EXPECT_EQ(g.gauss_X, g.getGaussX(116.4, 39.9));
    EXPECT_EQ(g.gauss_Y, g.getGaussY(116.4, 39.9));
}

TEST(GeomTransform, InverseProjectionReturnsTheInput) {
    GeomTransform g;
    g.setCenterL(115);
    const double x = g.getGaussX(116.4, 39.9);
    const double y = g.getGaussY(116.4, 39.9);
    EXPECT_NEAR(g.getLong(x, y), 116.4, 1e-7);
    EXPECT_NEAR(g.getLat(x, y), 39.9, 1e-7);
    EXPECT_EQ(g.earth_Long, g.getLong(x, y));
    EXPECT_EQ(g.earth_Lat, g.getLat(x, y));

    // Southern and western of the meridian: the signs come back too.
    g.setCenterL(-60);
    const double xs = g.getGaussX(-61.2, -33.5);
    const double ys = g.getGaussY(-61.2, -33.5);
    EXPECT_LT(xs, 0);
    EXPECT_LT(ys, 0);
    EXPECT_NEAR(g.getLong(xs, ys), -61.2, 1e-7);
    EXPECT_NEAR(g.getLat(xs, ys), -33.5, 1e-7);
}

TEST(GeomTransform, CentralMeridianAndEquator) {
    GeomTransform g;
    g.setCenterL(30);
    EXPECT_EQ(g.getGaussY(30, 45), 0);
    EXPECT_EQ(g.getGaussX(30, 0), 0);
    EXPECT_NEAR(g.getGaussX(30, 1), 110576.368, 1e-3);
}

TEST(GeomTransform, DistanceMatchesReferenceFiguresAndIsSymmetric) {
    GeomTransform g;
    EXPECT_NEAR(g.getDistance(116.4, 39.9, 116.41, 39.9), 855.197, 1e-3);
    EXPECT_NEAR(g.getDistance(116.4, 39.9, 116.4, 39.91), 1110.347, 1e-3);
    EXPECT_NEAR(g.getDistance(0, 0, 0.001, 0), 111.321, 1e-3);
    EXPECT_EQ(g.getDistance(116.4, 39.9, 116.4, 39.9), 0);
    EXPECT_EQ(g.getDistance(116.41, 39.95, 116.4, 39.9), g.getDistance(116.4, 39.9, 116.41, 39.95));
}

TEST(GeomTransform, DistanceLeavesItsCentreAndTheSecondPositionBehind) {
    GeomTransform g;
    g.getDistance(116.4, 39.9, 116.5, 40.0);
    EXPECT_DOUBLE_EQ(g.getCenterL(), 116.45);
    GeomTransform fresh;
    fresh.setCenterL(116.45);
    EXPECT_EQ(g.gauss_X, fresh.getGaussX(116.5, 40.0));
    EXPECT_EQ(g.gauss_Y, fresh.getGaussY(116.5, 40.0));
}

}  // namespace
