#pragma once

#include "GPSReader.h"

// Garmin dash cams (DriveAssist 51 and relatives) keep their fixes in a
// 'uuid' atom inside 'moov'.
bool RecogniseGarminUuid(const GPSProbe& probe);
void ReadGarminUuid(const GPSInput& input, GPSData& out);
