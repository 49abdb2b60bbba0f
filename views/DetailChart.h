#pragma once

#include "GPSTrack.h"
#include "Graphics.h"
#include "StringTable.h"
#include "UnitFormat.h"

#include <QString>

#include <cstdint>

// The distance chart: metres driven from the start, from the current point on,
// 8 px a point, scaled so that the total distance plus 10 m fills the plot.
// Without a track (or with an empty one) only the gray background.
void paintDetailChart(Graphics& graphics, const GPSTrack* track, float t);
// The same with the axis in the chosen units: metric is the chart above;
// imperial labels its axis in feet or miles.
void paintDetailChartIn(Graphics& graphics, const GPSTrack* track, float t, UnitSystem units);

// Which line of text the detail view shows about the current point.
enum DetailSelection : int32_t {
    kSelectedPosition = 0,
    kSelectedDistances = 1,
    kSelectedSpeed = 2,
};

// The chosen text for the current point; empty without a track or for an
// unknown choice. The keys are looked up in strings on every call. Metric
// gives whole metres and km/h; imperial feet or miles and mph.
QString detailText(const GPSTrack* track, float t, int32_t selected, const StringTable& strings,
                   UnitSystem units = UnitSystem::Metric);
