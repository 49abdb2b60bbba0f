#pragma once

#include <cstdint>
#include <string>

// One sample of a drive. Plain value: it checks nothing.
struct GPSPoint {
    int16_t gsX = 0;          // hundredths of g
    int16_t gsY = 0;
    int16_t gsZ = 0;
    int32_t distFromSrc = 0;  // whole metres from the first point
    int32_t distToDes = 0;    // whole metres to the last point
    double lon = 0;           // decimal degrees, east positive
    double lat = 0;           // decimal degrees, north positive
    double time = 0;          // milliseconds since the track's start
    double speed = 0;         // km/h

    static GPSPoint point() { return {}; }
    static GPSPoint pointWithLat(double lat, double lon, double time, int16_t x, int16_t y,
                                 int16_t z, double speed);

    // Same position, compared exactly.
    bool equals(const GPSPoint& other) const;
    // Plane distance in degrees (no projection); serves the nearest-point search.
    double distance(const GPSPoint& other) const;
    // "E:116.400000°  N:39.900000°", longitude first.
    std::string toString() const;
};
