#pragma once

#include "GPSData.h"
#include "TelemetryFix.h"

#include <cstddef>
#include <vector>

// A point where a device's own clock (seconds since it started) was read
// against UTC: the Karma drone stamps its positions with the former.
struct SystemClockPoint {
    double bootSeconds;
    double utcSeconds;
};

// What the payloads of one GoPro metadata track hold, gathered in track order.
struct GpmfTelemetry {
    std::vector<TelemetryFix> gps9;  // each fix with its own time
    std::vector<TelemetryFix> gps5;  // the payload's GPSU time spread over its fixes
    std::vector<TelemetryFix> dronePositions;  // GLPI, timed by dronePositionBoot
    std::vector<double> dronePositionBoot;     // seconds on the drone's clock
    std::vector<SystemClockPoint> droneClock;  // SYST
    std::vector<AccelSample> accel;            // camera axes mapped to lateral, longitudinal, vertical
    bool truncated = false;  // a list reached its bound and the rest was left out
};

// Decodes one payload (the DEVC items of one track sample) that starts at
// startMs in the clip and lasts durationMs.
void DecodeGpmfPayload(const unsigned char* data, size_t size, double startMs, double durationMs,
                       GpmfTelemetry& out);

// The fixes of the best source the track holds: GPS9, else GPS5, else the
// drone's positions put on UTC through its clock points.
std::vector<TelemetryFix> GpmfFixes(const GpmfTelemetry& telemetry);
