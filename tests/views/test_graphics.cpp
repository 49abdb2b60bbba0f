#include "ChartProbe.h"
#include "Graphics.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const QColor kWhite = Qt::white;
const QColor kBlack = Qt::black;

// White, so that every later mark shows.
void PaintWhite(Graphics& graphics) {
    graphics.drawRect(QRectF(QPointF(0, 0), graphics.getSize()), kWhite, Qt::transparent, 0);
}

TEST(Graphics, TheBitmapIsTheSizeCutToWholePixelsOrNoneWhenUnusable) {
    Graphics sized(QSizeF(352.9, 100.4));
    const QImage image = sized.getImage();
    EXPECT_EQ(image.size(), QSize(352, 100));
    EXPECT_EQ(image.format(), QImage::Format_RGBA8888_Premultiplied);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const QSizeF size : {QSizeF(0, 100), QSizeF(352, 0.99), QSizeF(-5, 100), QSizeF(nan, 10),
                              QSizeF(1e12, 1e12), QSizeF(1e300, 5)}) {
        Graphics graphics(size);
        graphics.drawRect(QRectF(0, 0, 10, 10), kBlack, kBlack, 2);
        graphics.drawLine({0, 0}, {10, 10}, kBlack, 1);
        graphics.drawString(QStringLiteral("0G"), {1, 1}, QStringLiteral("Cambria"), 10);
        EXPECT_FALSE(graphics.hasBitmap()) << size.width() << "x" << size.height();
        EXPECT_TRUE(graphics.getImage().isNull());
    }
}

TEST(Graphics, OutlineStraddlesTheEdgesAndLeavesTheInsideUnchanged) {
    Graphics graphics(QSizeF(360, 110));
    PaintWhite(graphics);
    graphics.drawRect(QRectF(30, 1, 320, 97), Qt::transparent, kBlack, 4);
    const QImage image = graphics.getImage();
    saveForReview(image, QStringLiteral("graphics_outline"));

    // Left edge x = 30 covers 28..32, right edge x = 350 covers 348..352.
    for (int x : {28, 29, 30, 31, 348, 349, 350, 351}) EXPECT_TRUE(isColor(pixelAt(image, x, 50), kBlack)) << x;
    for (int x : {27, 32, 347, 352}) EXPECT_TRUE(isColor(pixelAt(image, x, 50), kWhite)) << x;
    // Bottom edge y = 1 covers -1..3, top edge y = 98 covers 96..100.
    for (int y : {0, 1, 2, 96, 97, 98, 99}) EXPECT_TRUE(isColor(pixelAt(image, 200, y), kBlack)) << y;
    for (int y : {3, 95, 100}) EXPECT_TRUE(isColor(pixelAt(image, 200, y), kWhite)) << y;
    // Mitred corners are square.
    EXPECT_TRUE(isColor(pixelAt(image, 28, 99), kBlack));
    EXPECT_TRUE(isColor(pixelAt(image, 351, 0), kBlack));
    EXPECT_EQ(countColor(image, kWhite, 32, 347, 3, 95, 0), (347 - 32 + 1) * (95 - 3 + 1));
}

TEST(Graphics, FillCoversTheOutlinesInnerHalfAndAClearStrokeGivesAPlainFill) {
    const QColor gray = QColor::fromRgbF(0.5, 0.5, 0.5);
    Graphics graphics(QSizeF(60, 40));
    PaintWhite(graphics);
    graphics.drawRect(QRectF(10, 5, 20, 10), gray, Qt::transparent, 0);
    graphics.drawRect(QRectF(40, 20, 10, 10), gray, kBlack, 4);
    const QImage image = graphics.getImage();

    EXPECT_EQ(countColor(image, gray, 10, 29, 5, 14, 0), 200);
    for (int x : {9, 30}) EXPECT_TRUE(isColor(pixelAt(image, x, 10), kWhite)) << x;
    for (int y : {4, 15}) EXPECT_TRUE(isColor(pixelAt(image, 20, y), kWhite)) << y;
    // Outline outside (38, 39), fill inside (40, 41).
    for (int x : {38, 39}) EXPECT_TRUE(isColor(pixelAt(image, x, 25), kBlack)) << x;
    for (int x : {40, 41, 48, 49}) EXPECT_TRUE(isColor(pixelAt(image, x, 25), gray)) << x;
}

// Rectangles are drawn without antialiasing where it changes nothing; the
// result must be what an antialiased painter draws, for aligned and unaligned
// edges and outlines alike.
TEST(Graphics, RectanglesMatchAnAntialiasedPainterWhetherOrNotTheyAreAligned) {
    const QColor fill(90, 160, 40);
    const QColor stroke(20, 20, 200);
    for (const QRectF rect : {QRectF(30, 1, 290, 97), QRectF(10.5, 3, 40, 20), QRectF(7, 9.25, 33, 12)}) {
        for (const float width : {0.0f, 1.0f, 2.0f, 3.0f, 4.0f}) {
            Graphics graphics(QSizeF(352, 100));
            PaintWhite(graphics);
            graphics.drawRect(rect, fill, stroke, width);

            QImage expected(352, 100, QImage::Format_RGBA8888_Premultiplied);
            expected.fill(kWhite);
            QPainter painter(&expected);
            painter.setRenderHint(QPainter::Antialiasing);
            const QRectF device(rect.x(), 100 - rect.y() - rect.height(), rect.width(), rect.height());
            if (width > 0) {
                painter.setPen(QPen(stroke, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
                painter.drawRect(device);
            }
            painter.fillRect(device, fill);
            painter.end();
            EXPECT_EQ(graphics.getImage(), expected)
                << rect.x() << "," << rect.y() << " width " << width;
        }
    }
}

TEST(Graphics, LineEndsSquareOnItsEndPointsAndStraddlesItsPath) {
    Graphics graphics(QSizeF(64, 16));
    PaintWhite(graphics);
    graphics.drawLine({32, 5}, {32, 2}, kBlack, 1);
    graphics.drawLine({10, 10}, {20, 10}, kBlack, 2);
    const QImage image = graphics.getImage();

    // Width 1 on x = 32 covers half of columns 31 and 32, rows 2..4 only.
    for (int y : {2, 3, 4}) {
        for (int x : {31, 32}) EXPECT_TRUE(isColor(pixelAt(image, x, y), QColor(128, 128, 128), 2)) << x << "," << y;
        for (int x : {30, 33}) EXPECT_TRUE(isColor(pixelAt(image, x, y), kWhite)) << x << "," << y;
    }
    for (int y : {1, 5}) EXPECT_TRUE(isColor(pixelAt(image, 32, y), kWhite)) << y;
    // Width 2 on y = 10 from x = 10 to 20: rows 9 and 10, columns 10..19.
    EXPECT_EQ(countColor(image, kBlack, 0, 63, 0, 15, 0), 20);
    for (int x : {9, 20}) EXPECT_TRUE(isColor(pixelAt(image, x, 10), kWhite)) << x;
}

TEST(Graphics, ZeroWidthsAndNonFiniteCoordinatesDrawNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Graphics graphics(QSizeF(40, 40));
    PaintWhite(graphics);
    graphics.drawLine({5, 5}, {30, 30}, kBlack, 0);
    graphics.drawLine({5, nan}, {30, 30}, kBlack, 2);
    graphics.drawLine({5, 5}, {INFINITY, 30}, kBlack, 2);
    graphics.drawRect(QRectF(5, 5, 20, 20), Qt::transparent, kBlack, 0);
    graphics.drawRect(QRectF(nan, 5, 20, 20), kBlack, kBlack, 2);
    EXPECT_EQ(countColor(graphics.getImage(), kWhite, 0, 39, 0, 39, 0), 40 * 40);
}

TEST(Graphics, TextStandsUprightOnItsBaseline) {
    Graphics graphics(QSizeF(90, 40));
    PaintWhite(graphics);
    graphics.drawString(QStringLiteral("ab"), {5, 2}, QStringLiteral("Cambria"), 10);
    graphics.drawString(QStringLiteral("Ty"), {45, 12}, QStringLiteral("Cambria"), 20);
    const QImage image = graphics.getImage();
    saveForReview(image, QStringLiteral("graphics_text"));

    const auto ab = inkRows(image, 0, 40, 0, 39);
    ASSERT_TRUE(ab);
    EXPECT_EQ(ab->bottom, 2);  // the baseline, no ink below it
    EXPECT_GE(ab->top, 8);     // ascender of b
    EXPECT_FALSE(inkRows(image, 0, 4, 0, 39)) << "text starts right of its position";

    // Upright: the T's bar is at the top and the y's tail hangs below the baseline.
    const auto ty = inkRows(image, 45, 89, 0, 39);
    ASSERT_TRUE(ty);
    EXPECT_LE(ty->bottom, 9);
    EXPECT_GE(ty->top, 24);
    EXPECT_TRUE(inkRows(image, 45, 48, 24, 39)) << "T's bar at the left, high above the baseline";
    EXPECT_FALSE(inkRows(image, 45, 46, 15, 21)) << "nothing under the bar's left end";
}

TEST(Graphics, SnapshotKeepsTheEarlierPicture) {
    Graphics graphics(QSizeF(20, 20));
    PaintWhite(graphics);
    const QImage before = graphics.getImage();
    graphics.drawRect(QRectF(0, 0, 20, 20), kBlack, Qt::transparent, 0);
    const QImage after = graphics.getImage();
    graphics.drawRect(QRectF(0, 0, 20, 20), kWhite, Qt::transparent, 0);
    EXPECT_EQ(countColor(before, kWhite, 0, 19, 0, 19, 0), 400);
    EXPECT_EQ(countColor(after, kBlack, 0, 19, 0, 19, 0), 400);
}

TEST(Graphics, MissingFamiliesFallBackToAMetricTwinOrTheSerif) {
    const QFont absent = Graphics::getFontWithName(QStringLiteral("No Such Family 7f3c"), 9);
    EXPECT_EQ(QFontInfo(absent).pixelSize(), 9);
    EXPECT_EQ(absent.styleHint(), QFont::Serif);

    const QFont cambria = Graphics::getFontWithName(QStringLiteral("Cambria"), 10);
    EXPECT_EQ(QFontInfo(cambria).pixelSize(), 10);
    if (!QFontDatabase::hasFamily(QStringLiteral("Cambria")) &&
        QFontDatabase::hasFamily(QStringLiteral("Caladea"))) {
        EXPECT_EQ(QFontInfo(cambria).family(), QStringLiteral("Caladea"));
    }
}

}  // namespace
