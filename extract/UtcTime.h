#pragma once

#include "GPSRecord.h"

#include <cstdint>
#include <optional>

// Instants as whole milliseconds since 1970-01-01 00:00 UTC, for cameras whose
// clock is UTC. Unlike the repair pass's local calendar this never depends on
// the process's time zone.

// None when a field is out of its calendar range.
std::optional<int64_t> UtcMilliseconds(int year, int month, int day, int hour, int minute, int second,
                                       int millisecond = 0);

// Writes the instant into the record's date, time and millisecond fields.
void SetRecordUtc(GPSRecord& record, int64_t utcMs);
