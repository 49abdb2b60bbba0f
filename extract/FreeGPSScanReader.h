#pragma once

#include "GPSReader.h"

// "freeGPS " boxes found wherever they lie: cameras that write no index and
// do not keep the boxes on 32 KiB boundaries.
bool RecogniseFreeGPSScan(const GPSProbe& probe);
void ReadFreeGPSScan(const GPSInput& input, GPSData& out);

// Decodes the box that starts at offset; false when none of it could be read
// or no layout matched.
bool ReadFreeGPSBox(ByteSource& source, int64_t offset, int64_t size, GPSData& out);
