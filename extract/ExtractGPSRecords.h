#pragma once

#include "GPSRecord.h"

#include <string>

// The characters after the last '.' of the whole path, upper-cased; the whole
// path upper-cased when it has no '.'.
std::string GetUpperExtension(const std::string& path);

// Runs the container reader chosen by the extension, without the repair pass.
// count must be 0 on entry and records must have room for kMaxGPSRecords.
void ReadGPSRecords(const char* path, GPSRecord* records, int32_t& count);

// ReadGPSRecords followed by RepairGPSRecords: on return records 0 .. count-1
// are all valid.
void ExtractGPSRecords(const char* path, GPSRecord* records, int32_t& count);
