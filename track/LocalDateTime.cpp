#include "LocalDateTime.h"

#include <ctime>

namespace {

constexpr int kTmYearBase = 1900;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsRealCalendarTime(const CalendarTime& c) {
    return c.year >= 1 && c.year <= 9999 && c.month >= 1 && c.month <= 12 && c.day >= 1 &&
           c.day <= DaysInMonth(c.year, c.month) && c.hour >= 0 && c.hour <= 23 &&
           c.minute >= 0 && c.minute <= 59 && c.second >= 0 && c.second <= 59;
}

// system_clock counts nanoseconds in 64 bits, about 292 years either side of 1970.
bool FitsClock(std::time_t instant) {
    using namespace std::chrono;
    const auto limit = duration_cast<seconds>(system_clock::time_point::max().time_since_epoch()).count();
    return instant < limit && instant > -limit;
}

}  // namespace

std::optional<std::chrono::system_clock::time_point> ParseLocalDateTime(const CalendarTime& calendar) {
    if (!IsRealCalendarTime(calendar)) return std::nullopt;
    std::tm fields{};
    fields.tm_year = calendar.year - kTmYearBase;
    fields.tm_mon = calendar.month - 1;
    fields.tm_mday = calendar.day;
    fields.tm_hour = calendar.hour;
    fields.tm_min = calendar.minute;
    fields.tm_sec = calendar.second;
    fields.tm_isdst = -1;
    // mktime sets tm_wday only on success; -1 is also a real instant.
    fields.tm_wday = -1;
    const std::time_t seconds = std::mktime(&fields);
    if (fields.tm_wday < 0 || !FitsClock(seconds)) return std::nullopt;
    return std::chrono::system_clock::from_time_t(seconds);
}

std::optional<std::chrono::system_clock::time_point> ParseUTCDateTime(const CalendarTime& calendar) {
    if (!IsRealCalendarTime(calendar)) return std::nullopt;
    using namespace std::chrono;
    const sys_days date = year_month_day{year{calendar.year}, month{unsigned(calendar.month)}, std::chrono::day{unsigned(calendar.day)}};
    const auto instant = time_point_cast<seconds>(date) + hours{calendar.hour} + minutes{calendar.minute} + seconds{calendar.second};
    if (!FitsClock(instant.time_since_epoch().count())) return std::nullopt;
    return system_clock::time_point(instant);
}

CalendarTime LocalCalendar(std::chrono::system_clock::time_point instant) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(instant);
    std::tm fields{};
    if (!localtime_r(&seconds, &fields)) return {};
    return {fields.tm_year + kTmYearBase, fields.tm_mon + 1, fields.tm_mday,
            fields.tm_hour,               fields.tm_min,     fields.tm_sec};
}

std::string FormatLocalDateTime(std::chrono::system_clock::time_point instant) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(instant);
    std::tm fields{};
    if (!localtime_r(&seconds, &fields)) return {};
    char text[64];
    const size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &fields);
    return std::string(text, length);
}
