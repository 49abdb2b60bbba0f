#pragma once

#include "GPSRecord.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

// Every conversion between calendar fields and instants, on the camera's
// local clock or on UTC. Instants are seconds (or milliseconds) since
// 1970-01-01 00:00 UTC. The local clock is the process's time zone and is
// read through the C library, which is not safe to call from two threads.

// Which clock a camera's record times are on. The first cameras wrote the
// local time of the camera; GPS-synchronised formats write UTC.
enum class GPSClock { Local, UTC };

// A calendar date and time as a camera recorded it.
struct CalendarTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The instant of a real date and time: year 1-9999, month 1-12, a day of that
// month, hour 0-23, minute and second 0-59. None for anything else.
std::optional<int64_t> CalendarToSeconds(const CalendarTime& calendar, GPSClock clock);

// Any fields at all: out-of-range ones carry into the next larger field, as a
// wall clock counts on. None only when the instant cannot be represented.
std::optional<int64_t> CalendarToSecondsNormalising(const CalendarTime& calendar, GPSClock clock);

// The calendar of an instant; none when its year does not fit an int.
std::optional<CalendarTime> SecondsToCalendar(int64_t seconds, GPSClock clock);

// Camera fields on UTC with milliseconds. Each field must lie within its
// widest range (day 1-31, second 0-60 for a leap second); a day beyond its
// month carries into the next one.
std::optional<int64_t> UtcMilliseconds(int year, int month, int day, int hour, int minute, int second,
                                       int millisecond = 0);

CalendarTime RecordCalendar(const GPSRecord& record);
void SetRecordCalendar(GPSRecord& record, const CalendarTime& calendar);

// Writes an instant's UTC date, time and millisecond into the record; false,
// and the record untouched, when its year is outside 1-9999.
bool SetRecordUtc(GPSRecord& record, int64_t utcMs);

// The track's instants are system_clock time points, which hold about the
// years 1678 to 2262; a real date and time outside that gives none.
std::optional<std::chrono::system_clock::time_point> CalendarToTimePoint(const CalendarTime& calendar,
                                                                         GPSClock clock);

// The local calendar fields of an instant, all zero when there are none.
CalendarTime LocalCalendar(std::chrono::system_clock::time_point instant);

// "yyyy-MM-dd HH:mm:ss" in the local time zone.
std::string FormatLocalDateTime(std::chrono::system_clock::time_point instant);
