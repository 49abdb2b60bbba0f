#pragma once

#include "GPSReader.h"

// GPS texts in the packets of PID 0x1600 of an MPEG transport stream.
class TsGPSReader {
public:
    static bool recognise(const GPSProbe& probe);
    static void read(const GPSInput& input, GPSData& out);
};
