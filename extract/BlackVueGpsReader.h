#pragma once

#include "GPSReader.h"

// BlackVue's .gps beside the clip: NMEA lines stamped "[unix ms]" with the
// camera's clock, and the .3gf accelerometer file beside it.
bool RecogniseBlackVueGps(const GPSProbe& probe);
void ReadBlackVueGps(const GPSInput& input, GPSData& out);

// The .3gf records as samples timed from the start of the clip.
void ReadBlackVueAccel(ByteSource& source, GPSData& out);

// Gives each record the mean of the samples from its time up to the next
// record's (at most a second). The clip starts with the first record: the
// camera stamps its first line as it starts recording.
void AverageAccelIntoRecords(GPSData& data);
