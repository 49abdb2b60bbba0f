#pragma once

#include "TileSource.h"
#include "UnitFormat.h"

#include <QByteArray>
#include <QHash>
#include <QString>

// The user's settings, read from kolvar.conf in the XDG config folder. A file
// that is missing, unreadable or holds values we cannot use gives the
// defaults for those values.
//
//   [map]
//   tiles=openstreetmap | opentopomap | cyclosm | humanitarian | custom
//   customUrl=https://tiles.example.org/{z}/{x}/{y}.png   (with tiles=custom)
//   customAttribution=© Example contributors             (plain text)
//   speedColours=false                                     (the track coloured by speed)
//
//   [display]
//   units=metric | imperial
//
//   [events]
//   threshold=0.5    g beyond the resting reading, 0.1 to 4
//
// The window's layout lives apart, in window.conf beside it: it is written at
// every close, and rewriting kolvar.conf would drop the user's comments.
class Settings {
public:
    static QString path();
    static QString windowLayoutPath();
    static Settings load();

    const TileSource& mapTiles() const { return tiles; }
    // The custom service as the user typed it, kept while another is chosen.
    const QString& customTilesUrl() const { return customUrl; }
    const QString& customTilesAttribution() const { return customAttribution; }
    // Chooses a built-in source by id, or "custom" with the template and
    // credit; false, changing nothing, when that gives no usable source.
    bool setMapTiles(const QString& id, const QString& url, const QString& attribution);

    // G-sensor jolts stronger than this, in g, are marked as events.
    double eventThreshold() const { return threshold; }
    // False, changing nothing, outside the range below.
    bool setEventThreshold(double g);
    static constexpr double kMinEventThreshold = 0.1;
    static constexpr double kMaxEventThreshold = 4.0;

    // Writes every section; false when the file cannot be written.
    bool save() const;

    UnitSystem units() const { return unitSystem; }
    void setUnits(UnitSystem units) { unitSystem = units; }
    bool speedColouredTrack() const { return speedColours; }
    void setSpeedColouredTrack(bool on) { speedColours = on; }

    // Saved window geometry and state, each splitter's state by name, and the
    // sound as the user left it.
    struct WindowLayout {
        QByteArray geometry;
        QByteArray state;
        QHash<QString, QByteArray> splitters;
        int volume = 100;
        bool muted = false;
    };
    const WindowLayout& windowLayout() const { return layout; }
    static bool saveWindowLayout(const WindowLayout& layout);

private:
    TileSource tiles = DefaultTileSource();
    QString customUrl;
    QString customAttribution;
    // Hard braking is about 0.4 g to 0.6 g; a pothole or a kerb jolts more.
    double threshold = 0.5;
    UnitSystem unitSystem = UnitSystem::Metric;
    bool speedColours = false;
    WindowLayout layout;
};
