#include "DetailChart.h"

#include "CutToInt.h"
#include "MeasureText.h"
#include "StripChart.h"

namespace {

using StripChart::Extent;

const QString kLabelFont = QStringLiteral("Cambria");
constexpr float kLabelSize = 9;
const QColor kDistanceColor = QColor(255, 140, 0);

// 64 bits: a saturated total distance must not overflow the scale.
QString AxisLabel(int64_t metres, UnitSystem units) {
    if (units == UnitSystem::Metric) return QString::number(metres);
    return MeasureText(FormatDistance(static_cast<double>(metres), units));
}

void paintValueAxis(Graphics& graphics, Extent extent, int64_t total, UnitSystem units) {
    const int64_t labelDistance = (total + 10) / 4;
    const int32_t q = StripChart::labelStep(extent);
    for (int32_t r = 0; r <= 4; ++r) {
        graphics.drawString(AxisLabel((4 - r) * labelDistance, units), {2, double(4 * q + 2 - r * q)},
                            kLabelFont, kLabelSize);
        StripChart::paintAxisTick(graphics, extent, r);
    }
}

}  // namespace

void paintDetailChart(Graphics& graphics, const GPSTrack* track, float t) {
    paintDetailChartIn(graphics, track, t, UnitSystem::Metric);
}

void paintDetailChartIn(Graphics& graphics, const GPSTrack* track, float t, UnitSystem units) {
    StripChart::paintBackground(graphics);
    if (!StripChart::hasPoints(track) || !graphics.hasBitmap()) return;
    const Extent extent = StripChart::extentOf(graphics);
    StripChart::paintFrame(graphics, extent);
    StripChart::paintMinorTicks(graphics, extent);
    const int64_t total = track->getTotalDist();
    paintValueAxis(graphics, extent, total, units);
    StripChart::paintMajorTicks(graphics, extent);

    // The exact quarter, not the rounded label step: the curve stays true to scale.
    const double quarter = (total + 10) * 0.25;
    const double unit = StripChart::unitHeight(extent);
    StripChart::paintCurve(
        graphics, extent, track->pointArray(), track->getIndex(t),
        [&](const GPSPoint& p) { return p.distFromSrc / quarter * unit + 2.0; }, kDistanceColor);
}

QString detailText(const GPSTrack* track, float t, int32_t selected, const StringTable& strings,
                   UnitSystem units) {
    if (!StripChart::hasPoints(track)) return {};
    const GPSPoint& current = track->pointArray()[track->getIndex(t)];
    switch (selected) {
        case kSelectedPosition:
            return QString::fromStdString(current.toString());
        case kSelectedDistances: {
            if (units != UnitSystem::Metric) {
                const Measure fromStart = FormatDistance(current.distFromSrc, units);
                const Measure toEnd = FormatDistance(current.distToDes, units);
                return QStringLiteral("%1 %2%3 %4 %5%6")
                    .arg(strings.localizedString(QStringLiteral("DistFromStart")),
                         QString::fromStdString(fromStart.value), UnitSymbol(fromStart.unit),
                         strings.localizedString(QStringLiteral("DistToEnd")),
                         QString::fromStdString(toEnd.value), UnitSymbol(toEnd.unit));
            }
            // One pass of arg(): a translation holding "%1" stays as it is.
            const QString metres = strings.localizedString(QStringLiteral("m"));
            return QStringLiteral("%1 %2%3 %4 %5%6")
                .arg(strings.localizedString(QStringLiteral("DistFromStart")),
                     QString::number(current.distFromSrc), metres,
                     strings.localizedString(QStringLiteral("DistToEnd")),
                     QString::number(current.distToDes), metres);
        }
        case kSelectedSpeed:
            if (units != UnitSystem::Metric) {
                const Measure speed = FormatSpeed(current.speed, units);
                return QStringLiteral("%1 %2%3").arg(strings.localizedString(QStringLiteral("CurrentSpeed")),
                                                     QString::fromStdString(speed.value), UnitSymbol(speed.unit));
            }
            return QStringLiteral("%1 %2km/h")
                .arg(strings.localizedString(QStringLiteral("CurrentSpeed")),
                     QString::number(CutToInt32(current.speed)));
        default:
            return {};
    }
}
