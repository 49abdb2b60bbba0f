#pragma once

#include "GPSReader.h"
#include "TelemetryFix.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Google's Camera Motion Metadata (CAMM): a 'camm' track of little-endian
// packets, written by phones and 360° cameras for Street View. GPS on UTC at
// the rate the device delivers it, the accelerometer in the camera's own
// axes (x, y, z as gsX, gsY, gsZ).
bool RecogniseCamm(const GPSProbe& probe);
void ReadCamm(const GPSInput& input, GPSData& out);

// What the packets of one track sample hold. fallbackUtcMs times the packets
// that carry a position but no time (the movie's creation time plus the
// sample's time), 0 when unknown.
struct CammSample {
    double clipMs;
    int64_t fallbackUtcMs;
};
void DecodeCammSample(const unsigned char* data, size_t size, const CammSample& sample,
                      std::vector<TelemetryFix>& fixes, std::vector<AccelSample>& accel);
