#pragma once

#include <ctime>

// Seconds since 1970 of a date on the local clock, which cameras name their files by and side files keep.
inline std::time_t LocalTime(int y, int mo, int d, int h, int mi, int s) {
    std::tm t{};
    t.tm_year = y - 1900, t.tm_mon = mo - 1, t.tm_mday = d, t.tm_hour = h, t.tm_min = mi, t.tm_sec = s;
    t.tm_isdst = -1;
    return std::mktime(&t);
}
