#pragma once

#include "ExtractGPSRecords.h"
#include "GPSTrack.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

enum class TrackSource { SideFile, Embedded };

struct LatLon {
    double lat = 0;
    double lon = 0;
};

// Everything one load of a video yields for the window, the map and the instruments.
struct TrackLoad {
    std::shared_ptr<GPSTrack> track;  // never null; built (buildSpeed) when not empty
    std::vector<double> lineArray;    // lat0, lon0, lat1, lon1, ... in point order
    std::optional<LatLon> firstPoint; // none until a point was added
    bool hasStartTime = false;        // a date parsed and became the track's start time
    TrackSource source = TrackSource::Embedded;
    // Embedded data: what the extraction found, so an empty track can say why.
    ExtractStatus status = ExtractStatus::Found;
    std::string dialect;     // the reader's id, empty when none gave records
    std::string reason;      // one line for the log
    std::vector<std::string> lookedFor;  // the dialects that recognised the file, for the notice
    bool truncated = false;  // the file held more records than are kept
    GPSClock clock = GPSClock::Local;
};

// Finite, latitude within +-90 and longitude within +-180. The loader keeps
// only such points: a corrupt fix elsewhere would be drawn off the map and
// swamp every distance of the drive.
bool IsPositionOnEarth(double lat, double lon);

// The video's folder, its file name without the last extension, "." and geoext.
std::string SideFilePath(const std::string& videoPath, const std::string& geoext = "GMAP");

// The track of a side file; empty when the file cannot be read or is not ASCII.
TrackLoad LoadSideFileTrack(const std::string& sideFilePath);

// The track of repaired records. Points without G-sensor values take the
// accelerometer sample nearest their time when the data has such samples.
TrackLoad BuildEmbeddedTrack(const GPSData& data);

// ExtractGPSData on the video, then BuildEmbeddedTrack.
TrackLoad LoadEmbeddedTrack(const std::string& videoPath);

// Builds the track of a video from its side file when one exists, else from the
// data embedded in the video.
TrackLoad LoadTrack(const std::string& videoPath);
