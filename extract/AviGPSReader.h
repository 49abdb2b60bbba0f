#pragma once

#include "GPSReader.h"

// GPS texts of the '02gp' chunks of an AVI file's 'movi' list.
class AviGPSReader {
public:
    static bool recognise(const GPSProbe& probe);
    static void read(const GPSInput& input, GPSData& out);
};
