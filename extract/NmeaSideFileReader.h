#pragma once

#include "GPSReader.h"

#include <cstdint>
#include <optional>

// NMEA 0183 logs beside the clip (.NMEA of MiVue and other cameras): sentences
// one or several to a line, or run together. A line may start with the
// camera's clock as "[unix ms]", which then times the fix.
bool RecogniseNmeaSideFile(const GPSProbe& probe);
void ReadNmeaSideFile(const GPSInput& input, GPSData& out);

// Reads the whole log into out; returns the first clock stamp, when lines carry them.
std::optional<int64_t> ReadNmeaLog(ByteSource& source, GPSData& out);

// True when text holds an RMC or GGA sentence of any talker.
bool LooksLikeNmea(std::string_view text);
