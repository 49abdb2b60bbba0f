// The side-file track on arbitrary files: no point gets a time that is not a
// number, the polyline matches the points, the built distances add up, and
// the lookups answer for any playback time.
#include "FuzzFile.h"
#include "TrackLoader.h"

#include <climits>
#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TrackLoad load = LoadSideFileTrack(WriteFuzzFile(data, size, "GMAP"));
    GPSTrack& track = *load.track;
    const auto& points = track.pointArray();
    if (load.lineArray.size() != 2 * points.size()) std::abort();
    if (points.empty() != !load.firstPoint) std::abort();
    for (const GPSPoint& p : points) {
        if (!std::isfinite(p.time) || !std::isfinite(p.lat) || !std::isfinite(p.lon)) std::abort();
        // Beyond 2^31 m (far jumps, thousands of times) the whole metres saturate.
        const int64_t whole = int64_t{p.distFromSrc} + p.distToDes;
        if (track.getTotalDist() < INT32_MAX && whole != track.getTotalDist()) std::abort();
    }
    GPSPoint out;
    for (const double t : {-1000.0, 0.0, 500.0, 1e9, std::nan("")}) {
        if (track.getPoint(t, out) == points.empty()) std::abort();
        if (track.getIndex(t) >= static_cast<int32_t>(points.size())) std::abort();
    }
    if (track.getPoint(22.5, 113.9, out) == points.empty()) std::abort();
    return 0;
}
