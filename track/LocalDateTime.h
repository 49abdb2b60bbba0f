#pragma once

#include <chrono>
#include <optional>
#include <string>

// A calendar date and time as a camera recorded it, in the local time zone.
struct CalendarTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The instant of a real local date and time: year 1-9999 within the clock's
// range, month 1-12, a day of that month, hour 0-23, minute and second 0-59.
// None for anything else.
std::optional<std::chrono::system_clock::time_point> ParseLocalDateTime(const CalendarTime& calendar);

// The instant of a real date and time on the UTC clock; same ranges.
std::optional<std::chrono::system_clock::time_point> ParseUTCDateTime(const CalendarTime& calendar);

// "yyyy-MM-dd HH:mm:ss" in the local time zone.
std::string FormatLocalDateTime(std::chrono::system_clock::time_point instant);

// The local calendar fields of an instant.
CalendarTime LocalCalendar(std::chrono::system_clock::time_point instant);
