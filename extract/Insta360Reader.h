#pragma once

#include "GPSReader.h"

// Insta360 cameras append a trailer of tagged records to their clips; one
// record type holds the GPS fixes.
bool RecogniseInsta360(const GPSProbe& probe);
void ReadInsta360(const GPSInput& input, GPSData& out);
