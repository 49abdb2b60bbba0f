#pragma once

#include "GPSRecord.h"

// GPS texts in the packets of PID 0x1600 of an MPEG transport stream.
class TsGPSReader {
public:
    // Reader contract: leaves count untouched when the file cannot be opened;
    // otherwise sets it to the number of records stored from index 0 (at most
    // kMaxGPSRecords).
    void read(const char* path, GPSRecord* records, int32_t& count);
};
