#pragma once

#include "MapBridge.h"

#include <QString>
#include <QUrl>
#include <QVector>

#include <optional>

// Where a map page's background tiles come from, in Leaflet's URL template
// form ({s} subdomain, {z}/{x}/{y} tile), with the credit the service asks for.
struct TileSource {
    QString id;               // the name the settings use
    QString urlTemplate;
    QString subdomains;       // one letter or digit per {s} alternative
    int maxZoom = 19;
    QString attributionHtml;  // shown in the map's corner
};

// The services a user may pick by name; the first is the default.
const QVector<TileSource>& BuiltInTileSources();
const TileSource& DefaultTileSource();
std::optional<TileSource> BuiltInTileSource(const QString& id);

// A service of the user's own. None unless the template is an http(s) URL
// with {z}, {x} and {y}; the attribution is plain text.
std::optional<TileSource> CustomTileSource(const QString& urlTemplate, const QString& attribution);

// True when url asks the source's host for a tile, whichever {s} it chose.
bool IsTileRequest(const TileSource& source, const QUrl& url);

// The page call that puts the source's tiles under the drawing.
PageCall SetTilesCall(const TileSource& source);
