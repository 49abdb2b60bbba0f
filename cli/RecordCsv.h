#pragma once

#include "GPSRecord.h"

#include <cstdint>
#include <ostream>

inline constexpr const char* kRecordCsvHeader =
    "year,month,day,hour,minute,second,lat_ref,lat,lon_ref,lon,speed_knots,gs_x,gs_y,gs_z";

// The header line, then one line per record.
void WriteRecordCsv(std::ostream& out, const GPSRecord* records, int32_t count);
