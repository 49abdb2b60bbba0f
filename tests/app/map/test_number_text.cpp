#include "MapBridge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

double readBack(const QString& text)
{
    return std::strtod(text.toLatin1().constData(), nullptr);
}

TEST(NumberText, WholeNumbersHaveNoDecimalPointAndNoExponent)
{
    EXPECT_EQ(NumberText(12.0), "12");
    EXPECT_EQ(NumberText(-3.0), "-3");
    EXPECT_EQ(NumberText(83.0), "83");
    EXPECT_EQ(NumberText(100000.0), "100000");
    EXPECT_EQ(NumberText(1e20), "100000000000000000000");
}

TEST(NumberText, ZeroHasNoSign)
{
    EXPECT_EQ(NumberText(0.0), "0");
    EXPECT_EQ(NumberText(-0.0), "0");
}

TEST(NumberText, CoordinatesUseTheShortestTextThatReadsBack)
{
    EXPECT_EQ(NumberText(114.05), "114.05");
    EXPECT_EQ(NumberText(-22.5), "-22.5");
    EXPECT_EQ(NumberText(0.1 + 0.2), "0.30000000000000004");

    const double samples[] = {-(301234.0 / 600000.0) - 22.0, 22.543210987654321, 113.93333333333334,
                              -179.99999999999997, 89.999999, 1e-7, 3.5e-7, 123456.789};
    for (double value : samples) {
        const QString text = NumberText(value);
        EXPECT_EQ(readBack(text), value) << text.toStdString();
        EXPECT_FALSE(text.contains('e')) << text.toStdString();
    }
}

TEST(NumberText, ExtremeMagnitudesFallBackToExponentsThatStillReadBack)
{
    for (double value : {1e21, -2.5e300, 1e-8, std::numeric_limits<double>::denorm_min()}) {
        const QString text = NumberText(value);
        EXPECT_TRUE(text.contains('e')) << text.toStdString();
        EXPECT_EQ(readBack(text), value) << text.toStdString();
    }
}

TEST(NumberText, NonFiniteValuesUseTheSpellingsJavaScriptReadsBack)
{
    EXPECT_EQ(NumberText(std::nan("")), "NaN");
    EXPECT_EQ(NumberText(std::numeric_limits<double>::infinity()), "Infinity");
    EXPECT_EQ(NumberText(-std::numeric_limits<double>::infinity()), "-Infinity");
}

} // namespace
