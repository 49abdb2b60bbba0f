#pragma once

#include <string>

// How speeds and distances are shown to people; the model keeps km/h and metres.
enum class UnitSystem { Metric, Imperial };

// A number as text and the symbol of its unit, e.g. {"35", "mph"}.
struct Measure {
    std::string value;
    std::string unit;
};

// km/h or mph.
double SpeedIn(double kmh, UnitSystem units);
const char* SpeedUnit(UnitSystem units);

// With decimals == 0 the fraction is cut off, as the instruments show whole
// speeds; otherwise rounded to that many places.
Measure FormatSpeed(double kmh, UnitSystem units, int decimals = 0);

// Whole metres below 1 km, then km; whole feet below a tenth of a mile, then
// miles; the larger units with two decimals.
Measure FormatDistance(double metres, UnitSystem units);
