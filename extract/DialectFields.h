#pragma once

#include "BinaryFile.h"
#include "DegreesMinutes.h"
#include "GPSRecord.h"

#include <cstdint>
#include <cstring>

// Field decoding shared by the camera dialects that store binary fixes.

// Speed conversions to the record's knots.
inline constexpr double kKnotsPerKmh = 1.0 / 1.852;
inline constexpr double kKnotsPerMph = 1.609344 / 1.852;
inline constexpr double kKnotsPerMps = 3.6 / 1.852;

// Stores signed degrees as the record's unsigned degrees and hemisphere letters.
void SetSignedPosition(GPSRecord& record, double latitude, double longitude);

// Six bytes: year since yearBase, month, day, hour, minute, second.
inline void SetDateTimeBytes(GPSRecord& record, const unsigned char* date, int yearBase) {
    record.year = yearBase + date[0];
    record.month = date[1];
    record.day = date[2];
    record.hour = date[3];
    record.minute = date[4];
    record.second = date[5];
}

// Date and time of a count of seconds since 1970-01-01 UTC; false (record
// untouched) for a count the calendar cannot hold.
bool SetUtcTime(GPSRecord& record, int64_t unixSeconds);

// Seconds between 1904-01-01 (the QuickTime epoch) and 1970-01-01.
inline constexpr int64_t kQuickTimeToUnixSeconds = 2082844800;
