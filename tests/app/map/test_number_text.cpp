#include "MapBridge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

TEST(NumberText, ShortestTextThatJavaScriptReadsBack)
{
    const double infinity = std::numeric_limits<double>::infinity();
    const std::pair<double, const char*> exact[] = {
        {12.0, "12"}, {-3.0, "-3"}, {1e20, "100000000000000000000"}, {0.0, "0"}, {-0.0, "0"},
        {114.05, "114.05"}, {-22.5, "-22.5"}, {0.1 + 0.2, "0.30000000000000004"},
        {std::nan(""), "NaN"}, {infinity, "Infinity"}, {-infinity, "-Infinity"}};
    for (const auto& [value, text] : exact)
        EXPECT_EQ(NumberText(value), text) << text;

    // Coordinates without an exponent, extreme magnitudes with one; all read back exactly.
    const std::pair<double, bool> readBack[] = {
        {-(301234.0 / 600000.0) - 22.0, false}, {22.543210987654321, false}, {113.93333333333334, false}, {-179.99999999999997, false},
        {89.999999, false}, {1e-7, false}, {3.5e-7, false}, {123456.789, false},
        {1e21, true}, {-2.5e300, true}, {1e-8, true}, {std::numeric_limits<double>::denorm_min(), true}};
    for (const auto& [value, exponent] : readBack) {
        const QString text = NumberText(value);
        EXPECT_EQ(std::strtod(text.toLatin1().constData(), nullptr), value) << text.toStdString();
        EXPECT_EQ(text.contains('e'), exponent) << text.toStdString();
    }
}

} // namespace
