#pragma once

#include <cstdint>
#include <limits>

inline constexpr double kUnknownValue = std::numeric_limits<double>::quiet_NaN();

// One GPS fix as a camera stored it. The hemisphere is carried by the letters,
// never by the sign of lat/lon. The fields after gsZ carry what newer cameras
// give; a record that leaves them at their defaults is read as before.
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
    int32_t millisecond = 0;          // of the second, for cameras that fix more than once a second
    double altitude = kUnknownValue;  // metres above mean sea level
    double heading = kUnknownValue;   // degrees clockwise from true north
    int32_t fixQuality = 0;           // 0 unknown, 2 a 2-D fix, 3 a 3-D fix
};

// A record has a fix when both letters are upper-case hemisphere letters.
bool IsValidRecord(const GPSRecord& record);
