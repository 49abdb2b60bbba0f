#include "UnitFormat.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(UnitFormat, SpeedsAndDistancesInEitherSystem) {
    constexpr auto kMetric = UnitSystem::Metric;
    constexpr auto kImperial = UnitSystem::Imperial;
    const struct { Measure shown; const char* value, *unit; } cases[] = {
        {FormatSpeed(57.9, kMetric), "57", "km/h"}, {FormatSpeed(57.9, kImperial), "35", "mph"},  // 35.98: cut, not rounded
        {FormatSpeed(100, kImperial, 1), "62.1", "mph"},
        {FormatSpeed(-3.7, kMetric), "-3", "km/h"},           // toward zero
        {FormatSpeed(std::nan(""), kMetric), "-", "km/h"}, {FormatSpeed(INFINITY, kImperial), "-", "mph"},
        {FormatDistance(999.9, kMetric), "999", "m"}, {FormatDistance(1234, kMetric), "1.23", "km"},
        {FormatDistance(160, kImperial), "524", "ft"},        // below 528 ft, a tenth of a mile
        {FormatDistance(161, kImperial), "0.10", "mi"},
        {FormatDistance(1609.344 * 12.345, kImperial), "12.35", "mi"},
        {FormatDistance(1e300, kMetric), "-", "km"},  // no number that long is a distance
    };
    for (const auto& c : cases) EXPECT_EQ(c.shown.value + " " + c.shown.unit, std::string(c.value) + " " + c.unit);
}

}  // namespace
