#include "DialectFields.h"

#include <cmath>
#include <ctime>

void SetSignedPosition(GPSRecord& record, double latitude, double longitude) {
    record.latRef = std::signbit(latitude) ? 'S' : 'N';
    record.lonRef = std::signbit(longitude) ? 'W' : 'E';
    record.lat = std::fabs(latitude);
    record.lon = std::fabs(longitude);
}

bool SetUtcTime(GPSRecord& record, int64_t unixSeconds) {
    // Years 1 to 9999 keep every field well inside int and away from gmtime's limits.
    constexpr int64_t kLimit = 253402300799;  // 9999-12-31 23:59:59
    if (unixSeconds < -62135596800 || unixSeconds > kLimit) return false;
    const std::time_t time = static_cast<std::time_t>(unixSeconds);
    std::tm fields{};
    if (!gmtime_r(&time, &fields)) return false;
    record.year = fields.tm_year + 1900;
    record.month = fields.tm_mon + 1;
    record.day = fields.tm_mday;
    record.hour = fields.tm_hour;
    record.minute = fields.tm_min;
    record.second = fields.tm_sec;
    return true;
}
