#include "ChartProbe.h"
#include "DetailChart.h"
#include "GSensorChart.h"
#include "TrackBuilders.h"

#include <gtest/gtest.h>

namespace {

const QColor kGray(128, 128, 128);
const QColor kX(128, 0, 128);
const QColor kY(210, 105, 30);
const QColor kZ(128, 0, 0);
const QStringList kLabels = {"-2G", "-1G", "0G", "1G", "2G"};  // top to bottom

QImage Render(const GPSTrack* track, float t, const QString& name, QSizeF size = {352, 100}) {
    return renderChart(&paintGSensorChart, track, t, QStringLiteral("gsensor_") + name, size);
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
        for (int x : {32, 35, 39}) {
            EXPECT_TRUE(isColor(pixelAt(image, x, y - 1), colour) && isColor(pixelAt(image, x, y), colour))
                << x << "," << y;
        }
        EXPECT_FALSE(isColor(pixelAt(image, 41, y), colour, 40)) << y;
        EXPECT_FALSE(isColor(pixelAt(image, 36, y + 1), colour, 40)) << y;
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
    // 1500 ms lies after sample 1: the chart starts there.
    const QImage image = Render(track.get(), 1500, QStringLiteral("from_current"));
    EXPECT_TRUE(isColor(pixelAt(image, 36, 50), kX)) << "level run at the current sample";
    EXPECT_TRUE(isColor(pixelAt(image, 44, 50), kX)) << "sample 2, also 0 G, at x = 48";
    EXPECT_TRUE(isColor(pixelAt(image, 60, 73), kX) && isColor(pixelAt(image, 60, 74), kX))
        << "-1 G at y = 74 between samples 3 and 4";
    EXPECT_EQ(countColor(image, kX, 32, 351, 0, 10), 0) << "sample 0 (+2 G, y = 2) is not shown";
    EXPECT_EQ(countColor(image, kX, 74, 351, 0, 99), 0) << "nothing after the last sample (x = 72)";
    EXPECT_TRUE(isColor(pixelAt(image, 44, 97), kZ)) << "Z drawn last, over the frame's top edge";
    EXPECT_EQ(countColor(image, kZ, 74, 351, 0, 99), 0);

    // Before every point the chart starts at the first; after every point
    // each curve is one level run at the last.
    EXPECT_TRUE(isColor(pixelAt(Render(track.get(), -5000, QStringLiteral("before_first")), 36, 2), kX));
    const QImage after = Render(track.get(), 1e9f, QStringLiteral("after_last"));
    EXPECT_TRUE(isColor(pixelAt(after, 36, 26), kX));
    EXPECT_EQ(countColor(after, kX, 41, 351, 0, 99), 0);
    for (const auto& [t, x] : {std::pair{1500.0f, "X: 0.00G"}, {-5000.0f, "X: 2.00G"}, {1e9f, "X: 1.00G"}}) {
        EXPECT_EQ(gsensorTexts(track.get(), t).x, QLatin1String(x)) << t;
    }
}

TEST(GSensorChart, ThePlotHoldsOneSampleEvery8PixelsAtEverySize) {
    const auto track = GSensorTrack(std::vector<GSample>(200, GSample{0, 0, 0}));
    // 352 x 100: 40 segments reach the right edge; Z (drawn last) covers X and Y.
    EXPECT_EQ(countColor(Render(track.get(), 0, QStringLiteral("full_352x100")), kZ, 32, 351, 49, 50, 0), 2 * 320);
    // 1200 x 300: q = 72, S = 74; 146 segments end at x = 1200.
    const QImage large = Render(track.get(), 0, QStringLiteral("full_1200x300"), {1200, 300});
    EXPECT_EQ(countColor(large, kZ, 32, 1199, 149, 150, 0), 2 * 1168);
    EXPECT_EQ(labelColumn(large), referenceLabelColumn({1200, 300}, 72, kLabels, 5, 10));
    for (int y : {2, 76, 150, 224, 298}) EXPECT_TRUE(isBluish(pixelAt(large, 26, y))) << y;
}

TEST(GSensorChart, NarrowerThan32PixelsKeepsFrameAndLabelsButNoTicksOrCurves) {
    const auto track = GSensorTrack({{0, 50, 100}, {0, 50, 100}});
    for (int width : {20, 31}) {
        const QImage image = Render(track.get(), 0, QStringLiteral("narrow_%1").arg(width), QSizeF(width, 100));
        for (int x = 0; x < width; ++x) {
            for (int y = 0; y < 100; ++y) {
                const QColor c = pixelAt(image, x, y);
                ASSERT_FALSE(isBluish(c) && x < 24) << "axis ticks begin at 24: " << x << "," << y;
                ASSERT_FALSE(isColor(c, kX, 40) || isColor(c, kY, 40) || isColor(c, kZ, 40)) << x << "," << y;
            }
        }
        EXPECT_GT(countColor(image, Qt::black, 5, 12, 0, 99, 79), 0) << "labels drawn at " << width;
    }
    // Too large for a bitmap: nothing is drawn, and no tick is walked through.
    EXPECT_TRUE(Render(track.get(), 0, QString(), QSizeF(1e12, 100)).isNull());
    // 40 px: room for exactly one segment.
    EXPECT_TRUE(isColor(pixelAt(Render(track.get(), 0, QStringLiteral("narrow_40"), {40, 100}), 36, 25), kZ));
}

}  // namespace
