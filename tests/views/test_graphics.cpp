#include "ChartProbe.h"
#include "Graphics.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const QColor kWhite = Qt::white;
const QColor kBlack = Qt::black;

TEST(Graphics, TheBitmapIsTheSizeCutToWholePixelsOrNoneWhenUnusable) {
    Graphics sized(QSizeF(352.9, 100.4));
    EXPECT_EQ(sized.getImage().size(), QSize(352, 100));

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

TEST(Graphics, ZeroWidthsAndNonFiniteCoordinatesDrawNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Graphics graphics(QSizeF(40, 40));
    graphics.drawRect(QRectF(0, 0, 40, 40), kWhite, Qt::transparent, 0);  // so that every later mark shows
    graphics.drawLine({5, 5}, {30, 30}, kBlack, 0);
    graphics.drawLine({5, nan}, {30, 30}, kBlack, 2);
    graphics.drawLine({5, 5}, {INFINITY, 30}, kBlack, 2);
    graphics.drawRect(QRectF(5, 5, 20, 20), Qt::transparent, kBlack, 0);
    graphics.drawRect(QRectF(nan, 5, 20, 20), kBlack, kBlack, 2);
    graphics.drawString(QStringLiteral("0G"), {nan, 20}, QStringLiteral("Cambria"), 10);
    EXPECT_EQ(countColor(graphics.getImage(), kWhite, 0, 39, 0, 39, 0), 40 * 40);
}

// Labels keep their pixel size where Cambria is missing: its metric twin, else a serif.
TEST(Graphics, MissingFamiliesFallBackToAMetricTwinOrTheSerif) {
    const QFont absent = Graphics::getFontWithName(QStringLiteral("No Such Family 7f3c"), 9);
    EXPECT_EQ(std::pair(QFontInfo(absent).pixelSize(), absent.styleHint()), std::pair(9, QFont::Serif));
    const QFontInfo cambria(Graphics::getFontWithName(QStringLiteral("Cambria"), 10));
    EXPECT_EQ(cambria.pixelSize(), 10);
    if (!QFontDatabase::hasFamily(QStringLiteral("Cambria")) && QFontDatabase::hasFamily(QStringLiteral("Caladea"))) {
        EXPECT_EQ(cambria.family(), QStringLiteral("Caladea"));
    }
}

}  // namespace
