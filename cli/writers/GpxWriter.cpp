#include "GpxWriter.h"

#include "TextEscape.h"

#include <cmath>

namespace {

void WriteExtensions(std::ostream& out, const GPSPoint& p) {
    out << "        <extensions>\n";
    if (std::isfinite(p.speed)) out << "          <kolvar:speed>" << FormatDecimal(p.speed) << "</kolvar:speed>\n";
    out << "          <kolvar:gsX>" << p.gsX << "</kolvar:gsX>\n"
        << "          <kolvar:gsY>" << p.gsY << "</kolvar:gsY>\n"
        << "          <kolvar:gsZ>" << p.gsZ << "</kolvar:gsZ>\n"
        << "        </extensions>\n";
}

}  // namespace

void WriteTrackGpx(std::ostream& out, const TrackLoad& load, const TrackExportInfo& info) {
    const std::string name = XmlEscape(info.name);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<gpx version=\"1.1\" creator=\"kolvar-extract\" xmlns=\"http://www.topografix.com/GPX/1/1\"\n"
        << "     xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
        << "     xmlns:kolvar=\"" << kKolvarGpxNamespace << "\"\n"
        << "     xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 "
           "http://www.topografix.com/GPX/1/1/gpx.xsd\">\n"
        << "  <metadata>\n"
        << "    <name>" << name << "</name>\n"
        << "  </metadata>\n"
        << "  <trk>\n"
        << "    <name>" << name << "</name>\n"
        << "    <src>" << SourceName(load.source) << "</src>\n"
        << "    <trkseg>\n";
    for (const GPSPoint& p : load.track->pointArray()) {
        if (!IsMappable(p)) continue;
        out << "      <trkpt lat=\"" << FormatDecimal(p.lat) << "\" lon=\""
            << FormatDecimal(WrapLongitude(p.lon)) << "\">\n";
        if (const auto time = UtcTimeText(load, p.time, info.utcOffsetMinutes))
            out << "        <time>" << *time << "</time>\n";
        WriteExtensions(out, p);
        out << "      </trkpt>\n";
    }
    out << "    </trkseg>\n"
        << "  </trk>\n"
        << "</gpx>\n";
}
