#include "MapCalls.h"

#include "CutToInt.h"
#include "MeasureText.h"
#include "PointSpeeds.h"

#include <cmath>

namespace {

QJsonArray TextPair(double lat, double lon) { return {NumberText(lat), NumberText(lon)}; }

QJsonArray LoadPositionArgs(LatLon first, TrackSource source, const MapProvider& provider) {
    if (provider.markerArgs == MapProvider::MarkerArgs::LatLonSecond) return {first.lat, first.lon, 0};
    if (source == TrackSource::SideFile) return TextPair(first.lat, first.lon);
    return {first.lat, first.lon};
}

}  // namespace

QVector<PageCall> ClearPointsCalls() {
    return {{QStringLiteral("clearPoints"), {}},
            {QStringLiteral("add"), {QStringLiteral("1"), QStringLiteral("2")}}};
}

QVector<PageCall> AddPlineCalls(const std::vector<double>& lineArray) {
    const size_t pointCount = lineArray.size() / 2;
    QVector<PageCall> calls;
    calls.reserve(static_cast<qsizetype>(pointCount) + 2);
    calls.append({QStringLiteral("clearPoints"), {}});
    for (size_t i = 0; i < pointCount; ++i) {
        calls.append({QStringLiteral("addPoint"), TextPair(lineArray[2 * i], lineArray[2 * i + 1])});
    }
    calls.append({QStringLiteral("addPline"), {}});
    return calls;
}

QVector<PageCall> MoveAndCenterCalls(const QJsonArray& args) {
    return {{QStringLiteral("moveMyPosition"), args}, {QStringLiteral("setCenter"), args}};
}

QVector<PageCall> LoadCalls(const std::vector<double>& lineArray, LatLon firstPoint,
                            TrackSource source, const MapProvider& provider) {
    QVector<PageCall> calls = AddPlineCalls(lineArray);
    calls.append({QStringLiteral("moveMyPosition"), LoadPositionArgs(firstPoint, source, provider)});
    calls.append({QStringLiteral("flyto"), TextPair(firstPoint.lat, firstPoint.lon)});
    return calls;
}

QJsonArray TickPositionArgs(const GPSPoint& point, const MapProvider& provider) {
    QJsonArray args = TextPair(point.lat, point.lon);
    if (provider.markerArgs == MapProvider::MarkerArgs::LatLonSecond) args.append(QString::number(CutToInt32(point.time) / 1000));
    return args;
}

PageCall SpeedColoursCall(const GPSTrack& track, UnitSystem units, bool on) {
    QJsonArray speeds;
    if (on) {
        // Tenths are more than a colour can tell apart, and keep the call small.
        for (const double kmh : PointSpeeds(track)) speeds.append(std::round(SpeedIn(kmh, units) * 10) / 10);
    }
    return {QStringLiteral("showSpeedColours"), {speeds, UnitSymbol(SpeedUnit(units))}};
}
