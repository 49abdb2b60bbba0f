#include "GeoJsonWriter.h"

#include "CsvFormat.h"
#include "TextEscape.h"

#include <cmath>
#include <functional>
#include <vector>

namespace {

// JSON has no NaN or infinity.
std::string JsonNumber(double value) { return std::isfinite(value) ? FormatReal(value) : "null"; }

void WriteArray(std::ostream& out, const char* key, const std::vector<const GPSPoint*>& points,
                const std::function<std::string(const GPSPoint&)>& value, bool last = false) {
    out << "          \"" << key << "\": [";
    for (size_t i = 0; i < points.size(); ++i) out << (i ? ", " : "") << value(*points[i]);
    out << (last ? "]\n" : "],\n");
}

void WriteCoordinates(std::ostream& out, const std::vector<const GPSPoint*>& points) {
    const auto position = [](const GPSPoint& p) {
        return "[" + FormatReal(WrapLongitude(p.lon)) + ", " + FormatReal(p.lat) + "]";
    };
    if (points.size() == 1) {
        out << "      \"geometry\": {\"type\": \"Point\", \"coordinates\": " << position(*points[0]) << "},\n";
        return;
    }
    out << "      \"geometry\": {\n        \"type\": \"LineString\",\n        \"coordinates\": [";
    for (size_t i = 0; i < points.size(); ++i) out << (i ? ",\n          " : "\n          ") << position(*points[i]);
    out << "\n        ]\n      },\n";
}

}  // namespace

void WriteTrackGeoJson(std::ostream& out, const TrackLoad& load, const TrackExportInfo& info) {
    std::vector<const GPSPoint*> points;
    for (const GPSPoint& p : load.track->pointArray())
        if (IsMappable(p)) points.push_back(&p);
    const GPSTrack& track = *load.track;
    const int offset = info.utcOffsetMinutes;

    out << "{\n  \"type\": \"FeatureCollection\",\n  \"features\": [\n    {\n"
        << "      \"type\": \"Feature\",\n";
    if (points.empty()) out << "      \"geometry\": null,\n";
    else WriteCoordinates(out, points);
    out << "      \"properties\": {\n"
        << "        \"name\": " << JsonString(info.name) << ",\n"
        << "        \"source\": " << JsonString(SourceName(load.source)) << ",\n";
    if (const auto start = UtcTimeText(load, 0, offset))
        out << "        \"time\": " << JsonString(*start) << ",\n";
    out << "        \"total_distance_m\": " << track.getTotalDist() << ",\n"
        << "        \"max_speed_kmh\": " << track.getMaxSpeed() << ",\n"
        << "        \"avg_speed_kmh\": " << track.getAvgSpeed() << ",\n"
        << "        \"coordinateProperties\": {\n";
    WriteArray(out, "times", points, [&](const GPSPoint& p) {
        const auto time = UtcTimeText(load, p.time, offset);
        return time ? JsonString(*time) : std::string("null");
    });
    WriteArray(out, "time_ms", points, [](const GPSPoint& p) { return JsonNumber(p.time); });
    WriteArray(out, "speed_kmh", points, [](const GPSPoint& p) { return JsonNumber(p.speed); });
    WriteArray(out, "gs_x", points, [](const GPSPoint& p) { return std::to_string(p.gsX); });
    WriteArray(out, "gs_y", points, [](const GPSPoint& p) { return std::to_string(p.gsY); });
    WriteArray(out, "gs_z", points, [](const GPSPoint& p) { return std::to_string(p.gsZ); });
    WriteArray(out, "dist_from_start_m", points, [](const GPSPoint& p) { return std::to_string(p.distFromSrc); });
    WriteArray(out, "dist_to_end_m", points, [](const GPSPoint& p) { return std::to_string(p.distToDes); }, true);
    out << "        }\n      }\n    }\n  ]\n}\n";
}
