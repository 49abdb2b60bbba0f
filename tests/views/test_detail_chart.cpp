#include "ChartProbe.h"
#include "DetailChart.h"
#include "Graphics.h"
#include "StripChart.h"
#include "TrackBuilders.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const QColor kGray(128, 128, 128);
const QColor kDistance(255, 140, 0);

QImage Render(const GPSTrack* track, float t, const QString& name, QSizeF size = {352, 100}) {
    Graphics graphics(size);
    paintDetailChart(graphics, track, t);
    const QImage image = graphics.getImage();
    saveForReview(image, QStringLiteral("detail_") + name);
    return image;
}

// The distance labels alone, drawn where the chart must draw them.
QImage ReferenceLabels(QSizeF size, int q, const QStringList& texts) {
    Graphics graphics(size);
    StripChart::paintBackground(graphics);
    for (int r = 0; r <= 4; ++r) {
        graphics.drawString(texts[r], {2, double(4 * q + 2 - r * q)}, QStringLiteral("Cambria"), 9);
    }
    return graphics.getImage();
}

QImage LabelColumn(const QImage& image) { return image.copy(0, 0, 24, image.height()); }

TEST(DetailChart, WithoutPointsTheImageIsPlainGrayAndTheTextEmpty) {
    const GPSTrack empty;
    for (const GPSTrack* track : {static_cast<const GPSTrack*>(nullptr), &empty}) {
        const QImage image = Render(track, 0, QStringLiteral("empty"));
        EXPECT_EQ(countColor(image, kGray, 0, 351, 0, 99, 0), 352 * 100);
        for (int selected : {0, 1, 2}) EXPECT_TRUE(detailText(track, 0, selected, {}).isEmpty());
    }
}

TEST(DetailChart, ScaleOfA1990MetreTrackAt352x100) {
    // Points at 0, 1000, 1000, 1000 and 1990 m: T = 1990, D = 500, q = 22, S = 24.
    const auto track = DistanceTrack({1000.25, 0, 0, 990.25});
    ASSERT_EQ(track->getTotalDist(), 1990);
    const QImage image = Render(track.get(), 0, QStringLiteral("1990m_352x100"));

    EXPECT_EQ(LabelColumn(image),
              LabelColumn(ReferenceLabels(QSizeF(352, 100), 22,
                                          {"2000", "1500", "1000", "500", "0"})));
    for (int baseline : {90, 68, 46, 24, 2}) {
        const auto rows = inkRows(image, 0, 23, std::max(0, baseline - 4), baseline + 9);
        ASSERT_TRUE(rows) << baseline;
        EXPECT_EQ(rows->bottom, baseline);
    }
    for (int y : {2, 26, 50, 74, 98}) EXPECT_TRUE(isBluish(pixelAt(image, 26, y))) << y;
    // Same frame and time ticks as the G-sensor chart, but no grid.
    EXPECT_TRUE(isColor(pixelAt(image, 29, 60), Qt::black));
    EXPECT_TRUE(isBluish(pixelAt(image, 71, 6)));
    EXPECT_TRUE(isColor(pixelAt(image, 200, 26), kGray));

    // 0 m at y = 2 (over the frame's bottom edge), 1000 m at y = 50.
    EXPECT_TRUE(isColor(pixelAt(image, 36, 2), kDistance));
    for (int x : {49, 55, 63}) {
        EXPECT_TRUE(isColor(pixelAt(image, x, 49), kDistance)) << x;
        EXPECT_TRUE(isColor(pixelAt(image, x, 50), kDistance)) << x;
    }
    // 1990 m at 1990 / 500 * 24 + 2 = 97.52, reached at x = 72; nothing after.
    EXPECT_TRUE(isColor(pixelAt(image, 71, 96), kDistance));
    EXPECT_EQ(countColor(image, kDistance, 74, 351, 0, 99), 0);
}

TEST(DetailChart, TheCurveUsesTheExactQuarterNotTheLabelStep) {
    // T = 7: labels step by D = 4, but 7 m lies at 7 / 4.25 * 24 + 2 = 41.5, not 44.
    const auto track = DistanceTrack({7.5, 0, 0});
    ASSERT_EQ(track->getTotalDist(), 7);
    const QImage image = Render(track.get(), 0, QStringLiteral("exact_quarter"));
    EXPECT_TRUE(isColor(pixelAt(image, 60, 41), kDistance));
    EXPECT_FALSE(isColor(pixelAt(image, 60, 43), kDistance, 60));
    EXPECT_EQ(LabelColumn(image),
              LabelColumn(ReferenceLabels(QSizeF(352, 100), 22, {"16", "12", "8", "4", "0"})));
}

TEST(DetailChart, ATrackThatNeverMovesStaysOnTheZeroLine) {
    // T = 0: D = 2, labels 8, 6, 4, 2, 0; the curve at y = 2.
    const auto track = DistanceTrack({0, 0});
    ASSERT_EQ(track->getTotalDist(), 0);
    const QImage image = Render(track.get(), 0, QStringLiteral("standing_still"));
    EXPECT_EQ(LabelColumn(image),
              LabelColumn(ReferenceLabels(QSizeF(352, 100), 22, {"8", "6", "4", "2", "0"})));
    EXPECT_EQ(countColor(image, kDistance, 32, 55, 1, 2, 0), 2 * 24);
    EXPECT_EQ(countColor(image, kDistance, 0, 351, 3, 99), 0);
}

TEST(DetailChart, TextsOfEachChoiceWithoutATranslationTable) {
    // Points at 0, 1200 and 4600 m: the middle one is 1200 m from the start, 3400 m from the end.
    const auto track = DistanceTrack({1200.25, 3400.25}, 57.9);
    const StringTable none;
    EXPECT_EQ(detailText(track.get(), 1500, kSelectedDistances, none),
              QStringLiteral("DistFromStart 1200m DistToEnd 3400m"));
    EXPECT_EQ(detailText(track.get(), 1500, kSelectedSpeed, none), QStringLiteral("CurrentSpeed 57km/h"));
    EXPECT_EQ(detailText(track.get(), 0, kSelectedPosition, none),
              QString::fromUtf8("E:116.400000\u00B0  N:39.900000\u00B0"));
    EXPECT_TRUE(detailText(track.get(), 0, 3, none).isEmpty());
    EXPECT_TRUE(detailText(track.get(), 0, -1, none).isEmpty());
}

TEST(DetailChart, TextsUseTheTableAndShowTheKeyOfAMissingEntry) {
    const auto track = DistanceTrack({1200.25, 3400.25}, 57.9);
    // "%1" in a translation is text, not a placeholder.
    const StringTable partial({{"DistFromStart", "Depuis %1"}, {"m", " m"}, {"CurrentSpeed", "Vitesse"}});
    EXPECT_EQ(detailText(track.get(), 1500, kSelectedDistances, partial),
              QStringLiteral("Depuis %1 1200 m DistToEnd 3400 m"));
    EXPECT_EQ(detailText(track.get(), 1500, kSelectedSpeed, partial), QStringLiteral("Vitesse 57km/h"));
}

TEST(DetailChart, SpeedsBeyondTheIntegerRangeSaturateInsteadOfOverflowing) {
    const auto speedText = [](double speed) {
        return detailText(DistanceTrack({10}, speed).get(), 0, kSelectedSpeed, {});
    };
    EXPECT_EQ(speedText(1e300), QStringLiteral("CurrentSpeed 2147483647km/h"));
    EXPECT_EQ(speedText(std::numeric_limits<double>::quiet_NaN()), QStringLiteral("CurrentSpeed 0km/h"));
    EXPECT_EQ(speedText(-12.7), QStringLiteral("CurrentSpeed -12km/h"));
}

}  // namespace
