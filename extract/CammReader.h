#pragma once

#include "GPSReader.h"

// Google's Camera Motion Metadata (CAMM): a 'camm' track of little-endian
// packets, written by phones and 360° cameras for Street View. GPS on UTC at
// the rate the device delivers it, the accelerometer in the camera's own
// axes (x, y, z as gsX, gsY, gsZ).
bool RecogniseCamm(const GPSProbe& probe);
void ReadCamm(const GPSInput& input, GPSData& out);
