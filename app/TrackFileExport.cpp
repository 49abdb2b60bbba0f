#include "TrackFileExport.h"

#include "GeoJsonWriter.h"
#include "GpxWriter.h"
#include "TrackCsv.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <array>
#include <sstream>

namespace {

constexpr std::array kFormats{TrackFileFormat::Gpx, TrackFileFormat::GeoJson, TrackFileFormat::Csv};

QString Filter(TrackFileFormat format) {
    switch (format) {
    case TrackFileFormat::GeoJson: return QCoreApplication::translate("TrackFileExport", "GeoJSON (*.geojson *.json)");
    case TrackFileFormat::Csv: return QCoreApplication::translate("TrackFileExport", "CSV (*.csv)");
    case TrackFileFormat::Gpx: break;
    }
    return QCoreApplication::translate("TrackFileExport", "GPX 1.1 (*.gpx)");
}

}  // namespace

QStringList TrackFileFilters() {
    QStringList filters;
    for (const TrackFileFormat format : kFormats) filters << Filter(format);
    return filters;
}

TrackFileFormat TrackFileFormatFor(const QString& path, const QString& filter) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("json")) return TrackFileFormat::GeoJson;
    for (const TrackFileFormat format : kFormats)
        if (suffix == TrackFileSuffix(format)) return format;
    for (const TrackFileFormat format : kFormats)
        if (filter == Filter(format)) return format;
    return TrackFileFormat::Gpx;
}

QString TrackFileSuffix(TrackFileFormat format) {
    switch (format) {
    case TrackFileFormat::GeoJson: return QStringLiteral("geojson");
    case TrackFileFormat::Csv: return QStringLiteral("csv");
    case TrackFileFormat::Gpx: break;
    }
    return QStringLiteral("gpx");
}

std::string TrackFileText(const TrackLoad& load, const TrackExportInfo& info, TrackFileFormat format) {
    std::ostringstream out;
    switch (format) {
    case TrackFileFormat::Gpx: WriteTrackGpx(out, load, info); break;
    case TrackFileFormat::GeoJson: WriteTrackGeoJson(out, load, info); break;
    case TrackFileFormat::Csv: WriteTrackCsv(out, *load.track); break;
    }
    return out.str();
}
