#include "DegreesMinutes.h"

#include <cmath>

double DegreesFromDegreesMinutes(double packed) {
    constexpr double kMinutesPerDegree = 60.0;
    const double whole = std::trunc(packed);
    const double degrees = std::trunc(whole / 100);
    const double minutes = whole - 100 * degrees;
    return (minutes + (packed - whole)) / kMinutesPerDegree + degrees;
}
