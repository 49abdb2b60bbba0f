#pragma once

#include "BinaryFile.h"
#include "DegreesMinutes.h"
#include "GPSRecord.h"

#include <cstdint>
#include <cstring>

// Field decoding shared by the camera dialects that store binary fixes.

inline uint16_t LoadLE16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint64_t LoadLE64(const unsigned char* p) {
    uint64_t value = 0;
    for (int i = 7; i >= 0; --i) value = (value << 8) | p[i];
    return value;
}
inline double LoadLEDouble(const unsigned char* p) {
    const uint64_t bits = LoadLE64(p);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Speed conversions to the record's knots.
inline constexpr double kKnotsPerKmh = 1.0 / 1.852;
inline constexpr double kKnotsPerMph = 1.609344 / 1.852;
inline constexpr double kKnotsPerMps = 3.6 / 1.852;

// Stores signed degrees as the record's unsigned degrees and hemisphere letters.
void SetSignedPosition(GPSRecord& record, double latitude, double longitude);

// Date and time of a count of seconds since 1970-01-01 UTC; false (record
// untouched) for a count the calendar cannot hold.
bool SetUtcTime(GPSRecord& record, int64_t unixSeconds);

// Seconds between 1904-01-01 (the QuickTime epoch) and 1970-01-01.
inline constexpr int64_t kQuickTimeToUnixSeconds = 2082844800;
