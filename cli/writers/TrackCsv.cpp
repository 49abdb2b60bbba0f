#include "TrackCsv.h"

#include "CsvFormat.h"

void WriteTrackCsv(std::ostream& out, const GPSTrack& track) {
    out << kTrackCsvHeader << '\n';
    for (const GPSPoint& p : track.pointArray()) {
        out << FormatReal(p.time) << ',' << FormatReal(p.lat) << ',' << FormatReal(p.lon) << ','
            << FormatReal(p.speed) << ',' << p.gsX << ',' << p.gsY << ',' << p.gsZ << ','
            << p.distFromSrc << ',' << p.distToDes << '\n';
    }
}
