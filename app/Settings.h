#pragma once

#include "TileSource.h"

#include <QString>

// The user's settings, read from kolvar.conf in the XDG config folder. A file
// that is missing, unreadable or holds values we cannot use gives the
// defaults for those values.
//
//   [map]
//   tiles=openstreetmap | opentopomap | cyclosm | humanitarian | custom
//   customUrl=https://tiles.example.org/{z}/{x}/{y}.png   (with tiles=custom)
//   customAttribution=© Example contributors             (plain text)
class Settings {
public:
    static QString path();
    static Settings load();

    const TileSource& mapTiles() const { return tiles; }

private:
    TileSource tiles = DefaultTileSource();
};
