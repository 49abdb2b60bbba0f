#pragma once

#include "GPSRecord.h"

// GPS texts in the "02gp" chunks of an AVI file's movi list.
class AviGPSReader {
public:
    // Reader contract: leaves count untouched when the file cannot be opened;
    // otherwise sets it to the number of records stored from index 0 (at most
    // kMaxGPSRecords).
    void read(const char* path, GPSRecord* records, int32_t& count);
};
