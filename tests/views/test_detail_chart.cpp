#include "ChartProbe.h"
#include "DetailChart.h"
#include "StringTable.h"
#include "TrackBuilders.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const QColor kGray(128, 128, 128);
const QColor kDistance(255, 140, 0);

QImage Render(const GPSTrack* track, const QString& name) {
    return renderChart(&paintDetailChart, track, 0, QStringLiteral("detail_") + name);
}

TEST(DetailChart, LabelsStepByARoundQuarterOfTheTotalDistance) {
    // Total 1990 m: D = 500; 7 m: D = 4; a track that never moves: D = 2.
    const struct {
        std::vector<double> segments;
        int total;
        QStringList labels;
    } cases[] = {{{1000.25, 0, 0, 990.25}, 1990, {"2000", "1500", "1000", "500", "0"}},
                 {{7.5, 0, 0}, 7, {"16", "12", "8", "4", "0"}},
                 {{0, 0}, 0, {"8", "6", "4", "2", "0"}}};
    for (const auto& c : cases) {
        const auto track = DistanceTrack(c.segments);
        ASSERT_EQ(track->getTotalDist(), c.total);
        const QImage image = Render(track.get(), QStringLiteral("%1m").arg(c.total));
        EXPECT_EQ(labelColumn(image), referenceLabelColumn({352, 100}, 22, c.labels, 2, 9)) << c.total;
    }
}

TEST(DetailChart, CurveOfA1990MetreTrackAt352x100) {
    // Points at 0, 1000, 1000, 1000 and 1990 m: T = 1990, D = 500, q = 22, S = 24.
    const QImage image = Render(DistanceTrack({1000.25, 0, 0, 990.25}).get(), QStringLiteral("1990m_352x100"));
    for (int y : {2, 26, 50, 74, 98}) EXPECT_TRUE(isBluish(pixelAt(image, 26, y))) << y;
    // Same frame and time ticks as the G-sensor chart, but no grid.
    EXPECT_TRUE(isColor(pixelAt(image, 29, 60), Qt::black));
    EXPECT_TRUE(isBluish(pixelAt(image, 71, 6)));
    EXPECT_TRUE(isColor(pixelAt(image, 200, 26), kGray));

    // 0 m at y = 2 (over the frame's bottom edge), 1000 m at y = 50.
    EXPECT_TRUE(isColor(pixelAt(image, 36, 2), kDistance));
    for (int x : {49, 55, 63}) {
        EXPECT_TRUE(isColor(pixelAt(image, x, 49), kDistance) && isColor(pixelAt(image, x, 50), kDistance)) << x;
    }
    // 1990 m at 1990 / 500 * 24 + 2 = 97.52, reached at x = 72; nothing after.
    EXPECT_TRUE(isColor(pixelAt(image, 71, 96), kDistance));
    EXPECT_EQ(countColor(image, kDistance, 74, 351, 0, 99), 0);

    // T = 7: labels step by 4, but 7 m lies at 7 / 4.25 * 24 + 2 = 41.5, not 44.
    const QImage seven = Render(DistanceTrack({7.5, 0, 0}).get(), QStringLiteral("exact_quarter"));
    EXPECT_TRUE(isColor(pixelAt(seven, 60, 41), kDistance));
    EXPECT_FALSE(isColor(pixelAt(seven, 60, 43), kDistance, 60));
    // Standing still: the curve stays on the zero line.
    const QImage still = Render(DistanceTrack({0, 0}).get(), QStringLiteral("standing_still"));
    EXPECT_EQ(countColor(still, kDistance, 32, 55, 1, 2, 0), 2 * 24);
    EXPECT_EQ(countColor(still, kDistance, 0, 351, 3, 99), 0);
}

TEST(DetailChart, TextsOfEachChoiceWithAndWithoutATable) {
    // Points at 0, 1200 and 4600 m: the middle one is 1200 m from the start, 3400 m from the end.
    const auto track = DistanceTrack({1200.25, 3400.25}, 57.9);
    const StringTable none;
    // "%1" in a translation is text, not a placeholder; a missing entry shows its key.
    const StringTable partial({{"DistFromStart", "Depuis %1"}, {"m", " m"}, {"CurrentSpeed", "Vitesse"}});
    const struct {
        const StringTable& strings;
        float t;
        int selected;
        QString text;
    } cases[] = {
        {none, 1500, kSelectedDistances, QStringLiteral("DistFromStart 1200m DistToEnd 3400m")},
        {none, 1500, kSelectedSpeed, QStringLiteral("CurrentSpeed 57km/h")},
        {none, 0, kSelectedPosition, QString::fromUtf8("E:116.400000\u00B0  N:39.900000\u00B0")},
        {none, 0, 3, QString()},
        {none, 0, -1, QString()},
        {partial, 1500, kSelectedDistances, QStringLiteral("Depuis %1 1200 m DistToEnd 3400 m")},
        {partial, 1500, kSelectedSpeed, QStringLiteral("Vitesse 57km/h")},
    };
    for (const auto& c : cases) EXPECT_EQ(detailText(track.get(), c.t, c.selected, c.strings), c.text) << c.selected;
    EXPECT_EQ(detailText(track.get(), 1500, kSelectedDistances, none, UnitSystem::Imperial),
              QStringLiteral("DistFromStart 0.75mi DistToEnd 2.11mi"));
    EXPECT_EQ(detailText(track.get(), 1500, kSelectedSpeed, none, UnitSystem::Imperial),
              QStringLiteral("CurrentSpeed 35mph"));

    // Speeds beyond the integer range saturate instead of overflowing.
    for (const auto& [speed, text] : {std::pair{1e300, "CurrentSpeed 2147483647km/h"},
                                      {std::numeric_limits<double>::quiet_NaN(), "CurrentSpeed 0km/h"},
                                      {-12.7, "CurrentSpeed -12km/h"}}) {
        EXPECT_EQ(detailText(DistanceTrack({10}, speed).get(), 0, kSelectedSpeed, {}), QLatin1String(text)) << speed;
    }
}

}  // namespace
