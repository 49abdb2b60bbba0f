#pragma once

#include "GPSRecord.h"

// GPS texts of the text tracks of a MOV/MP4/3GP file, found through each text track's chunk offsets.
class MovTextGPSReader {
public:
    // Reader contract: leaves count untouched when the file cannot be opened;
    // otherwise sets it to the number of records stored from index 0 (at most
    // kMaxGPSRecords).
    void read(const char* path, GPSRecord* records, int32_t& count);
};
