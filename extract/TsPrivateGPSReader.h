#pragma once

#include "GPSReader.h"

// GPS data in the private streams of a transport stream of 188- or 192-byte
// packets: streams the PMT declares as private data or metadata (types 0x06
// and 0x15) and undeclared private PES streams, whose payloads are Novatek
// freeGPS records or GPS texts.
bool RecogniseTsPrivateGPS(const GPSProbe& probe);
void ReadTsPrivateGPS(const GPSInput& input, GPSData& out);
