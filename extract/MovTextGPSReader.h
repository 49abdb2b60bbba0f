#pragma once

#include "GPSReader.h"

// GPS texts of the text tracks of a MOV/MP4/3GP file.
class MovTextGPSReader {
public:
    static bool recognise(const GPSProbe& probe);
    static void read(const GPSInput& input, GPSData& out);
};
