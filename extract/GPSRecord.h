#pragma once

#include <cstdint>

// One GPS fix as a camera stored it. The hemisphere is carried by the letters,
// never by the sign of lat/lon.
struct GPSRecord {
    int32_t year;
    int32_t month;
    int32_t day;
    int32_t hour;
    int32_t minute;
    int32_t second;
    char latRef;
    char lonRef;
    double lat;    // degrees, unsigned
    double lon;    // degrees, unsigned
    double speed;  // knots
    double gsX;    // hundredths of g
    double gsY;
    double gsZ;
};

// Room the caller provides; no reader ever stores more.
inline constexpr int32_t kMaxGPSRecords = 10000;

// A record has a fix when both letters are upper-case hemisphere letters.
bool IsValidRecord(const GPSRecord& record);
