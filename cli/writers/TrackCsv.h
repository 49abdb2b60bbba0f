#pragma once

#include "GPSTrack.h"

#include <ostream>

inline constexpr const char* kTrackCsvHeader =
    "time_ms,lat,lon,speed_kmh,gs_x,gs_y,gs_z,dist_from_start_m,dist_to_end_m";

// The header line, then one line per point of the track, in track order.
void WriteTrackCsv(std::ostream& out, const GPSTrack& track);
