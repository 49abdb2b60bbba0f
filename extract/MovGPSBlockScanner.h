#pragma once

#include "GPSRecord.h"

// Binary GPS blocks in "free" atoms on 32 KiB boundaries of a MOV/MP4/3GP file.
class MovGPSBlockScanner {
public:
    // Reader contract: leaves count untouched when the file cannot be opened;
    // otherwise sets it to the number of records stored from index 0 (at most
    // kMaxGPSRecords).
    void read(const char* path, GPSRecord* records, int32_t& count);
};
