#pragma once

#include "GPSData.h"

#include <cstdint>
#include <vector>

// A fix as telemetry tracks give it: signed degrees, SI units, a UTC instant,
// and its time in the clip to pair it with the accelerometer.
struct TelemetryFix {
    int64_t utcMs = 0;
    double clipMs = 0;
    double lat = 0;  // degrees, north positive
    double lon = 0;  // degrees, east positive
    double altitude = kUnknownValue;  // metres
    double speed = 0;                 // metres per second over ground
    double heading = kUnknownValue;   // degrees from true north
    int32_t fixQuality = 0;
};

// Stores the accelerometer samples, then the fixes that name a place on Earth
// as records on the UTC clock, each carrying the accelerometer sample nearest
// to it in time. Both lists must be in time order; stops when out is full.
void AddTelemetry(const std::vector<TelemetryFix>& fixes, const std::vector<AccelSample>& accel, GPSData& out);
