#include "DialectFields.h"

#include "CalendarClock.h"

#include <cmath>
#include <cstdint>

void SetSignedPosition(GPSRecord& record, double latitude, double longitude) {
    record.latRef = std::signbit(latitude) ? 'S' : 'N';
    record.lonRef = std::signbit(longitude) ? 'W' : 'E';
    record.lat = std::fabs(latitude);
    record.lon = std::fabs(longitude);
}

bool SetUtcTime(GPSRecord& record, int64_t unixSeconds) {
    constexpr int64_t kMsPerSecond = 1000;
    // Beyond this the millisecond count overflows, and the year is far outside what a record holds anyway.
    constexpr int64_t kLimit = INT64_MAX / kMsPerSecond;
    return unixSeconds >= -kLimit && unixSeconds <= kLimit && SetRecordUtc(record, unixSeconds * kMsPerSecond);
}
