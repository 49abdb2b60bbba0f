#pragma once

#include "GPSReader.h"

// "freeGPS " boxes listed by the 'gps ' atom of the movie atom: a table of
// (offset, size) pairs, so only the boxes themselves are read.
bool RecogniseFreeGPSIndex(const GPSProbe& probe);
void ReadFreeGPSIndex(const GPSInput& input, GPSData& out);
