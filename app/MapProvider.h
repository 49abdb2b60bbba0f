#pragma once

#include "TileSource.h"

#include <QString>

#include <optional>

// Everything that differs between the two map pages, in one place: which page,
// whose tiles, how the page shifts coordinates, how it takes the vehicle's
// position and whether it confirms a drawn line.
struct MapProvider {
    enum class MarkerArgs {
        LatLon,        // at load: text after a side file, numbers after embedded data
        LatLonSecond,  // at load: numbers with second 0; on a tick: text with the whole second
    };

    QString page;                        // map page resource name
    std::optional<TileSource> ownTiles;  // none: the tile source the user set
    const char* coordinateShift;         // what the page does to WGS-84 before drawing
    MarkerArgs markerArgs;
    bool confirmsLine;                   // answers "addPline" with native.AddLineComplete
};

// "GoogleMap" shows OpenStreetMap or another world map in WGS-84; "BaiduMap"
// shows AutoNavi's China road map in GCJ-02, for locales whose country is CN.
const MapProvider& GoogleMapProvider();
const MapProvider& BaiduMapProvider();
// The provider for the user's locale (MyLocale), asked afresh at each call.
const MapProvider& LocaleMapProvider();
