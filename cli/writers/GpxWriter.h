#pragma once

#include "TrackExport.h"

#include <ostream>

inline constexpr const char* kKolvarGpxNamespace = "urn:kolvar:gpx:1";

// GPX 1.1: one track of one segment, each point with its UTC time and, in the
// Kolvar namespace, its speed (km/h) and G-sensor values (hundredths of g).
// Points a map cannot place are left out.
void WriteTrackGpx(std::ostream& out, const TrackLoad& load, const TrackExportInfo& info);
