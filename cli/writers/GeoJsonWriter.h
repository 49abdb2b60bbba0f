#pragma once

#include "TrackExport.h"

#include <ostream>

// An RFC 7946 FeatureCollection of one Feature: the drive as a LineString (a
// Point when only one position is mappable), with the per-point values as
// arrays in "coordinateProperties", one entry per position, and the drive's
// figures as properties. Points a map cannot place are left out.
void WriteTrackGeoJson(std::ostream& out, const TrackLoad& load, const TrackExportInfo& info);
