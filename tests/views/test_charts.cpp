#include "ChartProbe.h"
#include "DetailChart.h"
#include "GSensorChart.h"
#include "StringTable.h"
#include "TrackBuilders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {

const QColor kGray(128, 128, 128);
const QColor kX(128, 0, 128);
const QColor kY(210, 105, 30);
const QColor kZ(128, 0, 0);
const QStringList kLabels = {"-2G", "-1G", "0G", "1G", "2G"};  // top to bottom
const QColor kDistance(255, 140, 0);

QImage RenderDetail(const GPSTrack* track, const QString& name) {
    return renderChart(&paintDetailChart, track, 0, QStringLiteral("detail_") + name);
}

QImage Render(const GPSTrack* track, float t, const QString& name, QSizeF size = {352, 100}) {
    return renderChart(&paintGSensorChart, track, t, QStringLiteral("gsensor_") + name, size);
}

// Pixels that must show a colour, and boxes that must hold none of it.
struct Pixel { int x, y; QColor colour; };
struct Box { int x0, x1, y0, y1; QColor colour; };
void ExpectPixels(const QImage& image, const std::vector<Pixel>& on, const std::vector<Box>& off) {
    for (const Pixel& p : on) EXPECT_TRUE(isColor(pixelAt(image, p.x, p.y), p.colour)) << p.x << "," << p.y;
    for (const Box& b : off) EXPECT_EQ(countColor(image, b.colour, b.x0, b.x1, b.y0, b.y1, 60), 0) << b.x0 << "," << b.y0;
}

QString Texts(const GPSTrack* track, float t) {
    const GSensorTexts texts = gsensorTexts(track, t);
    return texts.x + u'|' + texts.y + u'|' + texts.z;
}

TEST(Charts, WithoutPointsTheImagesArePlainGrayAndTheTextsEmpty) {
    const GPSTrack empty;
    for (const GPSTrack* track : {static_cast<const GPSTrack*>(nullptr), &empty}) {
        for (const ChartPainter paint : {&paintGSensorChart, &paintDetailChart}) {
            EXPECT_EQ(countColor(renderChart(paint, track, 0, QStringLiteral("empty")), kGray, 0, 351, 0, 99, 0), 352 * 100);
        }
        EXPECT_EQ(Texts(track, 0), QStringLiteral("||"));
        for (int selected : {0, 1, 2}) EXPECT_TRUE(detailText(track, 0, selected, {}).isEmpty());
    }
}

TEST(GSensorChart, FrameCurvesAndTextsAt352x100) {
    // One sample: each curve is a single level run from x = 32 to 40.
    const auto track = GSensorTrack({{150, -150, 50}});
    const QImage image = Render(track.get(), 0, QStringLiteral("scaffold_352x100"));

    // The frame, 4 px wide, straddling its edges; inside it the background.
    for (int x : {28, 31, 348, 351}) EXPECT_TRUE(isColor(pixelAt(image, x, 60), Qt::black)) << x;
    EXPECT_TRUE(isColor(pixelAt(image, 203, 60), kGray));
    // Curves: +1.5 G at y = 14, -1.5 G at y = 86, +0.5 G at y = 38; 2 px wide, x = 32..40 only.
    for (auto [y, colour] : {std::pair{14, kX}, {86, kY}, {38, kZ}}) {
        for (int x : {32, 35, 39}) EXPECT_TRUE(isColor(pixelAt(image, x, y - 1), colour) && isColor(pixelAt(image, x, y), colour));
        EXPECT_FALSE(isColor(pixelAt(image, 41, y), colour, 40) || isColor(pixelAt(image, 36, y + 1), colour, 40)) << y;
    }
    EXPECT_EQ(Texts(track.get(), 0), QStringLiteral("X: 1.50G|Y: -1.50G|Z: 0.50G"));

    // 2.5 G lies at y = -10, below the surface: nothing of X shows, and the text is not clamped.
    const auto beyond = GSensorTrack({{250, 0, 0}, {250, 0, 0}});
    EXPECT_EQ(countColor(Render(beyond.get(), 0, QStringLiteral("beyond_band")), kX, 0, 351, 0, 99), 0);
    EXPECT_EQ(Texts(GSensorTrack({{-5, 98, -32768}}).get(), 0), QStringLiteral("X: -0.05G|Y: 0.98G|Z: -327.68G"));
}

TEST(GSensorChart, CurvesBeginAtTheCurrentSampleAndRunForward) {
    // X at 0 ms .. 5000 ms; Y and Z stay at -2 G, the top of the band.
    const auto track = GSensorTrack({{200, -200, -200}, {0, -200, -200}, {0, -200, -200},
                                     {-100, -200, -200}, {-100, -200, -200}, {100, -200, -200}});
    // 1500 ms lies after sample 1: the chart starts there, a level run at 0 G; sample 2, also 0 G, at
    // x = 48; -1 G at y = 74 between samples 3 and 4; Z drawn last, over the frame's top edge. Sample 0
    // (+2 G, y = 2) is not shown, nor anything after the last sample (x = 72).
    ExpectPixels(Render(track.get(), 1500, QStringLiteral("from_current")),
                 {{36, 50, kX}, {44, 50, kX}, {60, 73, kX}, {60, 74, kX}, {44, 97, kZ}},
                 {{32, 351, 0, 10, kX}, {74, 351, 0, 99, kX}, {74, 351, 0, 99, kZ}});
    // Before every point the chart starts at the first; after every point each curve is one level run at the last.
    ExpectPixels(Render(track.get(), -5000, QStringLiteral("before_first")), {{36, 2, kX}}, {});
    ExpectPixels(Render(track.get(), 1e9f, QStringLiteral("after_last")), {{36, 26, kX}}, {{41, 351, 0, 99, kX}});
    for (const auto& [t, x] : {std::pair{1500.0f, "X: 0.00G"}, {-5000.0f, "X: 2.00G"}, {1e9f, "X: 1.00G"}}) {
        EXPECT_EQ(gsensorTexts(track.get(), t).x, QLatin1String(x)) << t;
    }
}

TEST(GSensorChart, ThePlotHoldsOneSampleEvery8PixelsAndNoneBelow32) {
    const auto track = GSensorTrack(std::vector<GSample>(200, GSample{0, 0, 0}));
    // 352 x 100: 40 segments reach the right edge; Z (drawn last) covers X and Y.
    EXPECT_EQ(countColor(Render(track.get(), 0, QStringLiteral("full_352x100")), kZ, 32, 351, 49, 50, 0), 2 * 320);
    // 1200 x 300: q = 72, S = 74; 146 segments end at x = 1200.
    const QImage large = Render(track.get(), 0, QStringLiteral("full_1200x300"), {1200, 300});
    EXPECT_EQ(countColor(large, kZ, 32, 1199, 149, 150, 0), 2 * 1168);
    EXPECT_EQ(labelColumn(large), referenceLabelColumn({1200, 300}, 72, kLabels, 5, 10));
    for (int y : {2, 76, 150, 224, 298}) EXPECT_TRUE(isBluish(pixelAt(large, 26, y))) << y;
    // 40 px: room for one segment, Z of 1 G at y = 26.
    const auto oneG = GSensorTrack({{0, 50, 100}, {0, 50, 100}});
    EXPECT_TRUE(isColor(pixelAt(Render(oneG.get(), 0, QStringLiteral("narrow_40"), {40, 100}), 36, 25), kZ));
    // Narrower than 32 px: the frame and the labels, but no curve and no axis tick (they begin at 24).
    for (int width : {20, 31}) {
        const QImage image = Render(oneG.get(), 0, QStringLiteral("narrow_%1").arg(width), QSizeF(width, 100));
        for (const QColor& curve : {kX, kY, kZ}) EXPECT_EQ(countColor(image, curve, 0, width - 1, 0, 99), 0) << width;
        for (int x = 0; x < std::min(width, 24); ++x)
            for (int y = 0; y < 100; ++y) ASSERT_FALSE(isBluish(pixelAt(image, x, y))) << x << "," << y;
        EXPECT_GT(countColor(image, Qt::black, 5, 12, 0, 99, 79), 0) << "labels drawn at " << width;
    }
    // Too large for a bitmap: nothing is drawn, and no tick is walked through.
    EXPECT_TRUE(Render(track.get(), 0, QString(), QSizeF(1e12, 100)).isNull());
}

// The axis steps by a round quarter of the total distance D, the curve rises to T / (4 D) of the plot
// and stops at the last point. 1990 m: D = 500, q = 22; 0 m at y = 2, 1000 m at y = 50, 1990 m at
// 97.52. 7 m: D = 4, but 7 m lies at 7 / 4.25 * 24 + 2 = 41.5, not 44. Standing still: D = 2, the
// curve stays on the zero line.
TEST(DetailChart, LabelsAndCurveFollowTheTotalDistance) {
    const struct {
        std::vector<double> segments; int total; QStringList labels; std::vector<std::pair<int, int>> on; Box off;
    } cases[] = {
        {{1000.25, 0, 0, 990.25}, 1990, {"2000", "1500", "1000", "500", "0"},
         {{36, 2}, {49, 49}, {49, 50}, {55, 49}, {55, 50}, {63, 49}, {63, 50}, {71, 96}}, {74, 351, 0, 99, kDistance}},
        {{7.5, 0, 0}, 7, {"16", "12", "8", "4", "0"}, {{60, 41}}, {60, 60, 43, 43, kDistance}},
        {{0, 0}, 0, {"8", "6", "4", "2", "0"}, {{32, 1}, {32, 2}, {55, 1}, {55, 2}}, {0, 351, 3, 99, kDistance}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.total);
        const auto track = DistanceTrack(c.segments);
        ASSERT_EQ(track->getTotalDist(), c.total);
        const QImage image = RenderDetail(track.get(), QStringLiteral("%1m").arg(c.total));
        EXPECT_EQ(labelColumn(image), referenceLabelColumn({352, 100}, 22, c.labels, 2, 9));
        // Same frame and time ticks as the G-sensor chart, but no grid.
        std::vector<Pixel> on = {{29, 60, Qt::black}, {200, 26, kGray}};
        for (const auto& [x, y] : c.on) on.push_back({x, y, kDistance});
        ExpectPixels(image, on, {c.off});
        for (int y : {2, 26, 50, 74, 98}) EXPECT_TRUE(isBluish(pixelAt(image, 26, y))) << y;
        EXPECT_TRUE(isBluish(pixelAt(image, 71, 6)));
    }
}

TEST(DetailChart, TextsOfEachChoiceWithAndWithoutATable) {
    // Points at 0, 1200 and 4600 m: the middle one is 1200 m from the start, 3400 m from the end.
    const auto track = DistanceTrack({1200.25, 3400.25}, 57.9);
    const StringTable none;
    // "%1" in a translation is text, not a placeholder; a missing entry shows its key.
    const StringTable partial({{"DistFromStart", "Depuis %1"}, {"m", " m"}, {"CurrentSpeed", "Vitesse"}});
    const struct {
        const StringTable& strings; float t; int selected; QString text; UnitSystem units = UnitSystem::Metric;
    } cases[] = {
        {none, 1500, kSelectedDistances, QStringLiteral("DistFromStart 1200m DistToEnd 3400m")},
        {none, 1500, kSelectedSpeed, QStringLiteral("CurrentSpeed 57km/h")},
        {none, 0, kSelectedPosition, QString::fromUtf8("E:116.400000\u00B0  N:39.900000\u00B0")},
        {none, 0, 3, QString()},
        {none, 0, -1, QString()},
        {partial, 1500, kSelectedDistances, QStringLiteral("Depuis %1 1200 m DistToEnd 3400 m")},
        {partial, 1500, kSelectedSpeed, QStringLiteral("Vitesse 57km/h")},
        {none, 1500, kSelectedDistances, QStringLiteral("DistFromStart 0.75mi DistToEnd 2.11mi"), UnitSystem::Imperial},
        {none, 1500, kSelectedSpeed, QStringLiteral("CurrentSpeed 35mph"), UnitSystem::Imperial},
    };
    for (const auto& c : cases) EXPECT_EQ(detailText(track.get(), c.t, c.selected, c.strings, c.units), c.text) << c.selected;

    // Speeds beyond the integer range saturate instead of overflowing.
    for (const auto& [speed, text] : {std::pair{1e300, "CurrentSpeed 2147483647km/h"},
                                      {std::numeric_limits<double>::quiet_NaN(), "CurrentSpeed 0km/h"},
                                      {-12.7, "CurrentSpeed -12km/h"}}) {
        EXPECT_EQ(detailText(DistanceTrack({10}, speed).get(), 0, kSelectedSpeed, {}), QLatin1String(text)) << speed;
    }
}

}  // namespace
