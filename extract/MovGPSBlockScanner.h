#pragma once

#include "GPSReader.h"

// Binary GPS blocks in 'free' atoms that start on 32 KiB boundaries of a MOV/MP4/3GP file.
class MovGPSBlockScanner {
public:
    static bool recognise(const GPSProbe& probe);
    static void read(const GPSInput& input, GPSData& out);
};
