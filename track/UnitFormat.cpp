#include "UnitFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kKmPerMile = 1.609344;
constexpr double kMetresPerFoot = 0.3048;
constexpr double kFeetPerMile = 5280;
constexpr double kMetresPerKm = 1000;
constexpr double kLargest = 1e15;

std::string Number(double value, int decimals) {
    // No drive comes near the limit; beyond it the text would not fit.
    if (!std::isfinite(value) || std::fabs(value) >= kLargest) return "-";
    if (decimals <= 0) return std::to_string(static_cast<long long>(std::trunc(value)));
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", std::min(decimals, 6), value);
    return text;
}

}  // namespace

double SpeedIn(double kmh, UnitSystem units) { return units == UnitSystem::Imperial ? kmh / kKmPerMile : kmh; }

const char* SpeedUnit(UnitSystem units) { return units == UnitSystem::Imperial ? "mph" : "km/h"; }

Measure FormatSpeed(double kmh, UnitSystem units, int decimals) {
    return {Number(SpeedIn(kmh, units), decimals), SpeedUnit(units)};
}

Measure FormatDistance(double metres, UnitSystem units) {
    if (units == UnitSystem::Imperial) {
        const double feet = metres / kMetresPerFoot;
        if (std::fabs(feet) < kFeetPerMile / 10) return {Number(feet, 0), "ft"};
        return {Number(feet / kFeetPerMile, 2), "mi"};
    }
    if (std::fabs(metres) < kMetresPerKm) return {Number(metres, 0), "m"};
    return {Number(metres / kMetresPerKm, 2), "km"};
}
