#include "StripChart.h"

#include "CutToInt.h"

#include <algorithm>

namespace StripChart {

namespace {

const QColor kBackgroundColor = QColor::fromRgbF(0.5, 0.5, 0.5);
const QColor kTickColor = QColor(0, 0, 255);

constexpr float kFrameWidth = 4;
constexpr int32_t kMajorTickStep = 5 * kSampleStep;

void paintTimeTicks(Graphics& graphics, Extent extent, int32_t step, double top, float width) {
    if (extent.width < kPlotLeft) return;
    for (int64_t x = kPlotLeft; x <= extent.width; x += step) {
        graphics.drawLine({double(x), top}, {double(x), 2}, kTickColor, width);
    }
}

}  // namespace

Extent extentOf(const Graphics& graphics) {
    return {CutToInt32(graphics.getSize().width()), CutToInt32(graphics.getSize().height())};
}

void paintBackground(Graphics& graphics) {
    // The whole surface from its own origin: where the image view sits in its
    // parent has nothing to do with the bitmap.
    graphics.drawRect(QRectF(QPointF(0, 0), graphics.getSize()), kBackgroundColor,
                      Qt::transparent, 0);
}

void paintFrame(Graphics& graphics, Extent extent) {
    graphics.drawRect(QRectF(30, 1, extent.width - 32, extent.height - 3), Qt::transparent,
                      Qt::black, kFrameWidth);
}

void paintMinorTicks(Graphics& graphics, Extent extent) {
    paintTimeTicks(graphics, extent, kSampleStep, 5, 1);
}

void paintMajorTicks(Graphics& graphics, Extent extent) {
    paintTimeTicks(graphics, extent, kMajorTickStep, 7, 3);
}

void paintAxisTick(Graphics& graphics, Extent extent, int32_t r) {
    const double y = 2 + r * unitHeight(extent);
    graphics.drawLine({24, y}, {double(kPlotLeft), y}, kTickColor, 1);
}

void paintCurve(Graphics& graphics, Extent extent, const std::vector<GPSPoint>& points,
                int32_t first, const std::function<double(const GPSPoint&)>& height,
                const QColor& color) {
    if (first < 0 || static_cast<size_t>(first) >= points.size()) return;
    const int64_t fitting = (int64_t{extent.width} - kPlotLeft) / kSampleStep;
    const int64_t segments = std::min<int64_t>(fitting, int64_t(points.size()) - first);
    double previous = height(points[first]);
    for (int64_t k = 0; k < segments; ++k) {
        const double y = height(points[first + k]);
        const double x = kPlotLeft + kSampleStep * k;
        graphics.drawLine({x, previous}, {x + kSampleStep, y}, color, kCurveWidth);
        previous = y;
    }
}

}  // namespace StripChart
