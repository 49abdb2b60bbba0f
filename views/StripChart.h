#pragma once

#include "GPSPoint.h"
#include "GPSTrack.h"
#include "Graphics.h"

#include <cstdint>
#include <functional>
#include <vector>

// What both instruments share: a gray background, a black frame whose left edge
// carries the value axis, time ticks for every sample (8 px) and every fifth,
// and curves that begin at the current sample and run forward in time.
namespace StripChart {

// W and H: the surface's size cut to whole pixels.
struct Extent {
    int32_t width = 0;
    int32_t height = 0;
};

constexpr int32_t kPlotLeft = 32;   // x of the current sample's run
constexpr int32_t kSampleStep = 8;  // pixels between samples
constexpr float kCurveWidth = 2;

Extent extentOf(const Graphics& graphics);
// An empty track shows as none: it has no current point to start from.
inline bool hasPoints(const GPSTrack* track) { return track && !track->isEmpty(); }
// q: vertical distance between the value labels.
inline int32_t labelStep(Extent extent) { return (extent.height - 10) / 4; }
// S: vertical distance between the value-axis ticks, the chart's unit height.
inline int32_t unitHeight(Extent extent) { return (extent.height - 2) / 4; }

// Covers the whole surface, whatever it held before.
void paintBackground(Graphics& graphics);
void paintFrame(Graphics& graphics, Extent extent);
void paintMinorTicks(Graphics& graphics, Extent extent);
void paintMajorTicks(Graphics& graphics, Extent extent);
// Tick r (0 at the bottom, 4 at the top) of the value axis.
void paintAxisTick(Graphics& graphics, Extent extent, int32_t r);

// Segments through the heights of points[first], points[first + 1], ... as far
// as the plot and the points reach; the first is a level run at points[first].
void paintCurve(Graphics& graphics, Extent extent, const std::vector<GPSPoint>& points,
                int32_t first, const std::function<double(const GPSPoint&)>& height,
                const QColor& color);

}  // namespace StripChart
