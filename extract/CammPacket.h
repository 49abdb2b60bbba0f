#pragma once

#include "GPSData.h"
#include "TelemetryFix.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Where one sample of a CAMM track plays, and the UTC instant that times its
// packets that carry a position but no time (the movie's creation time plus
// the sample's time), 0 when unknown.
struct CammSample {
    double clipMs;
    int64_t fallbackUtcMs;
};

// Decodes the packets of one sample: GPS and location packets into fixes,
// acceleration packets into samples. A packet of an unknown type ends the
// sample, since its size is unknown.
void DecodeCammSample(const unsigned char* data, size_t size, const CammSample& sample,
                      std::vector<TelemetryFix>& fixes, std::vector<AccelSample>& accel);
