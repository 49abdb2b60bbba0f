#include "GSensorChart.h"

#include "StripChart.h"

namespace {

using StripChart::Extent;

const QString kLabelFont = QStringLiteral("Cambria");
constexpr float kLabelSize = 10;
const QColor kGridColor = QColor(211, 211, 211);
const QColor kXColor = QColor(128, 0, 128);
const QColor kYColor = QColor(210, 105, 30);
const QColor kZColor = QColor(128, 0, 0);

void paintValueAxis(Graphics& graphics, Extent extent) {
    const int32_t q = StripChart::labelStep(extent);
    for (int32_t r = 0; r <= 4; ++r) {
        graphics.drawString(QStringLiteral("%1G").arg(r - 2), {5, double(4 * q + 2 - r * q)},
                            kLabelFont, kLabelSize);
        StripChart::paintAxisTick(graphics, extent, r);
    }
}

// The +1 G, 0 G and -1 G levels.
void paintGrid(Graphics& graphics, Extent extent) {
    const int32_t s = StripChart::unitHeight(extent);
    for (int32_t m = 1; m <= 3; ++m) {
        const double y = 2 + m * s;
        graphics.drawLine({double(StripChart::kPlotLeft), y}, {extent.width - 3.0, y}, kGridColor, 1);
    }
}

QString gText(const char* axis, int16_t value) {
    return QString::asprintf("%s: %.02fG", axis, value / 100.0);
}

}  // namespace

void paintGSensorChart(Graphics& graphics, const GPSTrack* track, float t) {
    StripChart::paintBackground(graphics);
    if (!StripChart::hasPoints(track) || !graphics.hasBitmap()) return;
    const Extent extent = StripChart::extentOf(graphics);
    StripChart::paintFrame(graphics, extent);
    StripChart::paintMinorTicks(graphics, extent);
    paintValueAxis(graphics, extent);
    paintGrid(graphics, extent);
    StripChart::paintMajorTicks(graphics, extent);

    const int32_t current = track->getIndex(t);
    const double unit = StripChart::unitHeight(extent);
    // +2 G at the bottom of the band, -2 G at its top; nothing is clamped.
    const auto height = [unit](int16_t value) { return (2.0 - value / 100.0) * unit + 2.0; };
    const auto& points = track->pointArray();
    StripChart::paintCurve(graphics, extent, points, current,
                           [&](const GPSPoint& p) { return height(p.gsX); }, kXColor);
    StripChart::paintCurve(graphics, extent, points, current,
                           [&](const GPSPoint& p) { return height(p.gsY); }, kYColor);
    StripChart::paintCurve(graphics, extent, points, current,
                           [&](const GPSPoint& p) { return height(p.gsZ); }, kZColor);
}

GSensorTexts gsensorTexts(const GPSTrack* track, float t) {
    if (!StripChart::hasPoints(track)) return {};
    const GPSPoint& current = track->pointArray()[track->getIndex(t)];
    return {gText("X", current.gsX), gText("Y", current.gsY), gText("Z", current.gsZ)};
}
