#pragma once

#include "GPSRecord.h"

#include <vector>

// Removes spikes and null fixes, then fills every hole so that records
// 0 .. count-1 are all valid, or sets count to 0. Never raises count.
void RepairGPSRecords(GPSRecord* records, int32_t& count);
void RepairGPSRecords(std::vector<GPSRecord>& records);

// Moves the record's local calendar time by a signed number of seconds.
void ShiftRecordTime(GPSRecord& record, int seconds);
