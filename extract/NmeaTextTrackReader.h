#pragma once

#include "GPSReader.h"

// NMEA sentences in the text and subtitle tracks of a MOV, MP4 or 3GP file,
// one or several to a sample.
bool RecogniseNmeaTextTrack(const GPSProbe& probe);
void ReadNmeaTextTrack(const GPSInput& input, GPSData& out);
