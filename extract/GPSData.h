#pragma once

#include "CalendarClock.h"
#include "GPSRecord.h"

#include <cstddef>
#include <vector>

// One accelerometer reading at its own rate, which may differ from the fixes'.
struct AccelSample {
    double time;  // milliseconds from the start of the clip
    double x;     // hundredths of g
    double y;
    double z;
};

// What one reader found in one file.
struct GPSData {
    std::vector<GPSRecord> records;
    std::vector<AccelSample> accel;
    GPSClock clock = GPSClock::Local;
    // True when the file held more than kMaxGPSRecords records and the rest were left unread.
    bool truncated = false;

    // Appends unless the bound is reached; false (and truncated) then, so a reader stops.
    bool add(const GPSRecord& record);
    bool addAccel(const AccelSample& sample);
    bool full() const { return records.size() >= kMaxGPSRecords; }

    // Memory bounds, not a record count any camera reaches: 24 hours at 20 Hz
    // and at 400 Hz.
    static constexpr size_t kMaxGPSRecords = 24 * 3600 * 20;
    static constexpr size_t kMaxAccelSamples = 24 * 3600 * 400;
};
