#pragma once

#include "GPSReader.h"

// DuDuBell M1 and VSYS M6L cameras keep their fixes in a top-level 'gps0'
// atom of the MP4 file and their G-sensor readings in a 'gsen' atom.
bool RecogniseGps0Atom(const GPSProbe& probe);
void ReadGps0Atom(const GPSInput& input, GPSData& out);
