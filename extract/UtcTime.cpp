#include "UtcTime.h"

#include <ctime>

namespace {

constexpr int64_t kMsPerSecond = 1000;

// Floor division, so instants before 1970 split into a second and a positive millisecond.
int64_t FloorDiv(int64_t value, int64_t divisor) {
    return value / divisor - (value % divisor < 0 ? 1 : 0);
}

}  // namespace

std::optional<int64_t> UtcMilliseconds(int year, int month, int day, int hour, int minute, int second,
                                       int millisecond) {
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 60 || millisecond < 0 || millisecond > 999)
        return std::nullopt;
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    return int64_t{timegm(&fields)} * kMsPerSecond + millisecond;
}

void SetRecordUtc(GPSRecord& record, int64_t utcMs) {
    const int64_t seconds = FloorDiv(utcMs, kMsPerSecond);
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm fields{};
    gmtime_r(&time, &fields);
    record.year = fields.tm_year + 1900;
    record.month = fields.tm_mon + 1;
    record.day = fields.tm_mday;
    record.hour = fields.tm_hour;
    record.minute = fields.tm_min;
    record.second = fields.tm_sec;
    record.millisecond = static_cast<int32_t>(utcMs - seconds * kMsPerSecond);
}
