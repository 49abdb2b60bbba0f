#pragma once

#include "GPSReader.h"

// 70mai dash cams keep their fixes in a top-level 'GPS ' atom (upper case,
// unlike the Novatek 'gps ' index), timed from the movie's creation time.
bool RecogniseSeventyMaiGps(const GPSProbe& probe);
void ReadSeventyMaiGps(const GPSInput& input, GPSData& out);
