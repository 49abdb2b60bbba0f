#pragma once

#include "CliOptions.h"
#include "TrackExport.h"

#include <ostream>

// The track in the format chosen.
void WriteTrackAs(std::ostream& out, const TrackLoad& load, const TrackExportInfo& info, CliOptions::Format format);

// --join: the files as one drive, written to out. Each file that cannot be
// opened or holds no GPS data is reported on standard error; the status is
// the highest of the files', kExitNoGPSData when no clip gave a point.
int WriteJoinedDrive(std::ostream& out, const std::string& program, const CliOptions& options);
