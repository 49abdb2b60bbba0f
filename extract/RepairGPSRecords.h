#pragma once

#include "CalendarClock.h"
#include "GPSRecord.h"

#include <vector>

// Removes spikes and null fixes, then fills every hole so that records
// 0 .. count-1 are all valid, or sets count to 0. Never raises count. Records
// fixed more than once a second are not refilled a second apart: their holes
// are dropped instead.
void RepairGPSRecords(GPSRecord* records, int32_t& count, GPSClock clock = GPSClock::Local);
void RepairGPSRecords(std::vector<GPSRecord>& records, GPSClock clock);

// Moves the record's calendar time on the clock by a signed number of seconds;
// out-of-range fields carry over. A time that cannot be represented stays.
void ShiftRecordTime(GPSRecord& record, int seconds, GPSClock clock = GPSClock::Local);
