#pragma once

#include "TrackLoader.h"

#include <optional>
#include <string>

// The track of path as the player loads it, or none with the reason on
// standard error ("program: cannot open ..." or "no GPS data in path") and the
// exit status in status. A side file that is there but cannot be read is an
// error, not missing data.
std::optional<TrackLoad> LoadTrackOrExplain(const std::string& program, const std::string& path, int& status);

// Reports that path cannot be opened; returns kExitUsage.
int ReportCannotOpen(const std::string& program, const std::string& path, const std::string& reason);
// Reports that path holds no GPS data and why; returns kExitNoGPSData.
int ReportNoGPSData(const std::string& program, const std::string& path, const std::string& reason);
