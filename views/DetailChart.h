#pragma once

#include "GPSTrack.h"
#include "Graphics.h"
#include "StringTable.h"

#include <QString>

#include <cstdint>

// The distance chart: metres driven from the start, from the current point on,
// 8 px a point, scaled so that the total distance plus 10 m fills the plot.
// Without a track (or with an empty one) only the gray background.
void paintDetailChart(Graphics& graphics, const GPSTrack* track, float t);

// Which line of text the detail view shows about the current point.
enum DetailSelection : int32_t {
    kSelectedPosition = 0,
    kSelectedDistances = 1,
    kSelectedSpeed = 2,
};

// The chosen text for the current point; empty without a track or for an
// unknown choice. The keys are looked up in strings on every call.
QString detailText(const GPSTrack* track, float t, int32_t selected, const StringTable& strings);
