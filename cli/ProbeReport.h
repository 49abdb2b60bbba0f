#pragma once

#include "ExtractGPSRecords.h"

#include <ostream>
#include <string>

inline constexpr const char* kProbeCsvHeader = "file,dialect,fixes,first_fix,last_fix,duration_s,rate_hz,clock,note";

// One line: the dialect that gave the records, the fixes among them, the
// recorded time of the first and last fix on the camera's clock, the span
// between them, fixes per second over it, and why nothing was found when so.
void WriteProbeRow(std::ostream& out, const std::string& file, const GPSExtraction& extraction);
