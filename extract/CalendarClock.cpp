#include "CalendarClock.h"

#include <climits>
#include <cstdio>
#include <ctime>

static_assert(sizeof(std::time_t) >= sizeof(int64_t), "instants need a 64-bit time_t");

namespace {

constexpr int kTmYearBase = 1900;
constexpr int64_t kMsPerSecond = 1000;
constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsRealCalendarTime(const CalendarTime& c) {
    return c.year >= kMinYear && c.year <= kMaxYear && c.month >= 1 && c.month <= 12 && c.day >= 1 &&
           c.day <= DaysInMonth(c.year, c.month) && c.hour >= 0 && c.hour <= 23 && c.minute >= 0 &&
           c.minute <= 59 && c.second >= 0 && c.second <= 59;
}

bool FitsInt(long long value) { return value >= INT_MIN && value <= INT_MAX; }

int64_t FloorDiv(int64_t value, int64_t divisor) { return value / divisor - (value % divisor < 0 ? 1 : 0); }

constexpr int64_t kSecondsPerDay = 86400;
// Days from 0000-03-01, where the proleptic Gregorian calendar's 400-year
// cycle is easiest to count, to 1970-01-01.
constexpr int64_t kDaysTo1970 = 719468;
constexpr int64_t kDaysPerEra = 146097;  // 400 years

// UTC is plain arithmetic: the C library's conversions take a lock and walk
// the zone's rules, and cost more than reading a fix.
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = FloorDiv(year, 400);
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * kDaysPerEra + dayOfEra - kDaysTo1970;
}

// The year, month and day of a day count from 1970-01-01.
void CivilFromDays(int64_t days, int64_t& year, int& month, int& day) {
    days += kDaysTo1970;
    const int64_t era = FloorDiv(days, kDaysPerEra);
    const int64_t dayOfEra = days - era * kDaysPerEra;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // from March
    day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    year = yearOfEra + era * 400 + (month <= 2);
}

// Fields far enough from the limits of a std::tm that the arithmetic and the
// C library agree on every instant; beyond them the library has the last word.
constexpr int64_t kArithmeticYears = 1'000'000;
constexpr int64_t kArithmeticFieldSpan = 100'000'000;
constexpr int64_t kArithmeticSeconds = int64_t{1} << 44;  // about 557,000 years

bool WithinArithmetic(const CalendarTime& c) {
    const auto small = [](int64_t value, int64_t span) { return value >= -span && value <= span; };
    return small(c.year, kArithmeticYears) && small(c.month, kArithmeticFieldSpan) &&
           small(c.day, kArithmeticFieldSpan) && small(c.hour, kArithmeticFieldSpan) &&
           small(c.minute, kArithmeticFieldSpan) && small(c.second, kArithmeticFieldSpan);
}

// As timegm: out-of-range fields carry into the next larger ones.
int64_t UtcSeconds(const CalendarTime& c) {
    const int64_t monthsFromYear = int64_t{c.month} - 1;
    const int64_t year = int64_t{c.year} + FloorDiv(monthsFromYear, 12);
    const int month = static_cast<int>(monthsFromYear - FloorDiv(monthsFromYear, 12) * 12) + 1;
    const int64_t days = DaysFromCivil(year, month, 1) + (int64_t{c.day} - 1);
    return days * kSecondsPerDay + int64_t{c.hour} * 3600 + int64_t{c.minute} * 60 + c.second;
}

}  // namespace

std::optional<int64_t> CalendarToSecondsNormalising(const CalendarTime& calendar, GPSClock clock) {
    const long long tmYear = static_cast<long long>(calendar.year) - kTmYearBase;
    const long long tmMonth = static_cast<long long>(calendar.month) - 1;
    if (!FitsInt(tmYear) || !FitsInt(tmMonth)) return std::nullopt;
    if (clock == GPSClock::UTC && WithinArithmetic(calendar)) return UtcSeconds(calendar);
    std::tm fields{};
    fields.tm_year = static_cast<int>(tmYear);
    fields.tm_mon = static_cast<int>(tmMonth);
    fields.tm_mday = calendar.day;
    fields.tm_hour = calendar.hour;
    fields.tm_min = calendar.minute;
    fields.tm_sec = calendar.second;
    fields.tm_isdst = -1;  // the zone's rules decide, as a wall clock does
    // Both set tm_wday only on success: -1 is also a real instant.
    fields.tm_wday = -1;
    const std::time_t seconds = clock == GPSClock::UTC ? timegm(&fields) : std::mktime(&fields);
    if (fields.tm_wday < 0) return std::nullopt;
    return int64_t{seconds};
}

std::optional<int64_t> CalendarToSeconds(const CalendarTime& calendar, GPSClock clock) {
    if (!IsRealCalendarTime(calendar)) return std::nullopt;
    return CalendarToSecondsNormalising(calendar, clock);
}

std::optional<CalendarTime> SecondsToCalendar(int64_t seconds, GPSClock clock) {
    if (clock == GPSClock::UTC && seconds >= -kArithmeticSeconds && seconds <= kArithmeticSeconds) {
        const int64_t days = FloorDiv(seconds, kSecondsPerDay);
        const int64_t secondOfDay = seconds - days * kSecondsPerDay;
        int64_t year;
        int month, day;
        CivilFromDays(days, year, month, day);
        return CalendarTime{static_cast<int>(year), month, day, static_cast<int>(secondOfDay / 3600),
                            static_cast<int>(secondOfDay / 60 % 60), static_cast<int>(secondOfDay % 60)};
    }
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm fields{};
    if (!(clock == GPSClock::UTC ? gmtime_r(&time, &fields) : localtime_r(&time, &fields))) return std::nullopt;
    const long long year = static_cast<long long>(fields.tm_year) + kTmYearBase;
    if (!FitsInt(year)) return std::nullopt;
    return CalendarTime{static_cast<int>(year), fields.tm_mon + 1, fields.tm_mday,
                        fields.tm_hour,         fields.tm_min,     fields.tm_sec};
}

std::optional<int64_t> UtcMilliseconds(int year, int month, int day, int hour, int minute, int second,
                                       int millisecond) {
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 60 || millisecond < 0 || millisecond > 999)
        return std::nullopt;
    const std::optional<int64_t> seconds =
        CalendarToSecondsNormalising({year, month, day, hour, minute, second}, GPSClock::UTC);
    constexpr int64_t kMaxSeconds = INT64_MAX / kMsPerSecond - 1;
    if (!seconds || *seconds > kMaxSeconds || *seconds < -kMaxSeconds) return std::nullopt;
    return *seconds * kMsPerSecond + millisecond;
}

CalendarTime RecordCalendar(const GPSRecord& r) { return {r.year, r.month, r.day, r.hour, r.minute, r.second}; }

void SetRecordCalendar(GPSRecord& record, const CalendarTime& calendar) {
    record.year = calendar.year;
    record.month = calendar.month;
    record.day = calendar.day;
    record.hour = calendar.hour;
    record.minute = calendar.minute;
    record.second = calendar.second;
}

bool SetRecordUtc(GPSRecord& record, int64_t utcMs) {
    const int64_t seconds = FloorDiv(utcMs, kMsPerSecond);
    const std::optional<CalendarTime> calendar = SecondsToCalendar(seconds, GPSClock::UTC);
    if (!calendar || calendar->year < kMinYear || calendar->year > kMaxYear) return false;
    SetRecordCalendar(record, *calendar);
    record.millisecond = static_cast<int32_t>(utcMs - seconds * kMsPerSecond);
    return true;
}

std::optional<std::chrono::system_clock::time_point> CalendarToTimePoint(const CalendarTime& calendar,
                                                                         GPSClock clock) {
    using namespace std::chrono;
    const std::optional<int64_t> seconds = CalendarToSeconds(calendar, clock);
    // system_clock counts nanoseconds in 64 bits, about 292 years either side of 1970.
    const auto limit = duration_cast<std::chrono::seconds>(system_clock::time_point::max().time_since_epoch()).count();
    if (!seconds || *seconds >= limit || *seconds <= -limit) return std::nullopt;
    return system_clock::from_time_t(static_cast<std::time_t>(*seconds));
}

CalendarTime LocalCalendar(std::chrono::system_clock::time_point instant) {
    return SecondsToCalendar(std::chrono::system_clock::to_time_t(instant), GPSClock::Local).value_or(CalendarTime{});
}

std::string FormatLocalDateTime(std::chrono::system_clock::time_point instant) {
    const std::optional<CalendarTime> c =
        SecondsToCalendar(std::chrono::system_clock::to_time_t(instant), GPSClock::Local);
    if (!c) return {};
    char text[80];
    const int length = std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", c->year, c->month, c->day,
                                     c->hour, c->minute, c->second);
    return std::string(text, static_cast<size_t>(length));
}
