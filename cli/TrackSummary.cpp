#include "TrackSummary.h"

#include "CalendarClock.h"
#include "CsvFormat.h"
#include "TrackExport.h"

void WriteSummaryRow(std::ostream& out, const std::string& file, const TrackLoad& load) {
    const GPSTrack& track = *load.track;
    const auto& points = track.pointArray();
    const double durationMs = points.empty() ? 0 : points.back().time - points.front().time;
    const std::string start = load.hasStartTime ? FormatLocalDateTime(track.getStartTime()) : "";
    out << CsvField(file) << ',' << SourceName(load.source) << ',' << points.size() << ','
        << start << ',' << FormatReal(durationMs / 1000) << ',' << track.getTotalDist() << ','
        << track.getMaxSpeed() << ',' << track.getAvgSpeed() << '\n';
}

void WriteEmptySummaryRow(std::ostream& out, const std::string& file) { out << CsvField(file) << ",,0,,,,,\n"; }
