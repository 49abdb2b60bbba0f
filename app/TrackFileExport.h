#pragma once

#include "TrackExport.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

enum class TrackFileFormat { Gpx, GeoJson, Csv };

// The save dialog's filters, one per format in the enum's order.
QStringList TrackFileFilters();

// The format the path's extension names, else the chosen filter's, else GPX.
TrackFileFormat TrackFileFormatFor(const QString& path, const QString& filter);

// "gpx", "geojson" or "csv".
QString TrackFileSuffix(TrackFileFormat format);

// The file's text, written by the same writers as kolvar-extract.
std::string TrackFileText(const TrackLoad& load, const TrackExportInfo& info, TrackFileFormat format);
