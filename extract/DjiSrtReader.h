#pragma once

#include "GPSReader.h"

// DJI drones and cameras write a SubRip side file beside each clip whose
// cues carry the frame's date and time and bracketed fields such as
// "[latitude: 22.54] [longitude: 113.95]".
bool RecogniseDjiSrt(const GPSProbe& probe);
void ReadDjiSrt(const GPSInput& input, GPSData& out);
