#pragma once

#include "GPSReader.h"

// Garmin dash cams' "PNDM" samples in a text track: binary fixes without a
// time of their own, timed by the movie's creation time and the sample's time.
bool RecogniseGarminPndm(const GPSProbe& probe);
void ReadGarminPndm(const GPSInput& input, GPSData& out);

// One sample's bytes; false when they are no PNDM fix.
bool DecodePndmSample(const unsigned char* sample, size_t size, GPSRecord& record);
