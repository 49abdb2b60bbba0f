#pragma once

#include "GPSReader.h"

// Vantrue N2S clips: one "FMAS" record a second in the samples of a 'gpmd'
// track, the format GoPro's telemetry uses under another layout.
bool RecogniseVantrueFmas(const GPSProbe& probe);
void ReadVantrueFmas(const GPSInput& input, GPSData& out);

// One sample; false when it is not an FMAS record with a fix.
bool DecodeFmasRecord(const unsigned char* sample, size_t size, GPSRecord& record);
