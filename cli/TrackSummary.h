#pragma once

#include "TrackLoader.h"

#include <ostream>
#include <string>

inline constexpr const char* kSummaryCsvHeader =
    "file,source,points,start,duration_s,distance_m,max_speed_kmh,avg_speed_kmh";

// One CSV line for a loaded, non-empty track: the start is the recorded local
// clock ("yyyy-MM-dd HH:mm:ss", empty when no date parsed), the duration runs
// from the first point to the last.
void WriteSummaryRow(std::ostream& out, const std::string& file, const TrackLoad& load);
// The line for a file without GPS data: 0 points, every other field empty.
void WriteEmptySummaryRow(std::ostream& out, const std::string& file);
