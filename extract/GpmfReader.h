#pragma once

#include "GPSReader.h"

// GoPro cameras: GPMF telemetry in the MP4's 'gpmd' metadata track, GPS at
// up to 18 Hz on UTC and the accelerometer at about 200 Hz.
bool RecogniseGpmf(const GPSProbe& probe);
void ReadGpmf(const GPSInput& input, GPSData& out);
