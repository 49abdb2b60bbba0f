#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Cuts the fraction off toward zero. A value that is not a number gives 0 and
// one beyond the 32-bit range saturates, where a plain cast would be undefined.
inline int32_t CutToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}
