#include "TelemetryFix.h"

#include "CalendarClock.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kKnotsPerMetrePerSecond = 3600.0 / 1852.0;

bool IsPlace(const TelemetryFix& fix) {
    return std::isfinite(fix.lat) && std::isfinite(fix.lon) && std::fabs(fix.lat) <= 90 &&
           std::fabs(fix.lon) <= 180 && !(fix.lat == 0 && fix.lon == 0);
}

const AccelSample* Nearest(const std::vector<AccelSample>& accel, double clipMs) {
    if (accel.empty()) return nullptr;
    const auto after = std::lower_bound(accel.begin(), accel.end(), clipMs,
                                        [](const AccelSample& sample, double time) { return sample.time < time; });
    if (after == accel.begin()) return &*after;
    if (after == accel.end()) return &accel.back();
    const auto before = after - 1;
    return clipMs - before->time <= after->time - clipMs ? &*before : &*after;
}

GPSRecord RecordOf(const TelemetryFix& fix, const AccelSample* g) {
    GPSRecord record{};
    SetRecordUtc(record, fix.utcMs);
    record.latRef = fix.lat < 0 ? 'S' : 'N';
    record.lonRef = fix.lon < 0 ? 'W' : 'E';
    record.lat = std::fabs(fix.lat);
    record.lon = std::fabs(fix.lon);
    record.speed = std::isfinite(fix.speed) ? fix.speed * kKnotsPerMetrePerSecond : 0;
    if (g) {
        record.gsX = g->x;
        record.gsY = g->y;
        record.gsZ = g->z;
    }
    record.altitude = fix.altitude;
    record.heading = fix.heading;
    record.fixQuality = fix.fixQuality;
    return record;
}

}  // namespace

void AddTelemetry(const std::vector<TelemetryFix>& fixes, const std::vector<AccelSample>& accel, GPSData& out) {
    for (const AccelSample& sample : accel) {
        if (!out.addAccel(sample)) break;
    }
    for (const TelemetryFix& fix : fixes) {
        if (IsPlace(fix) && !out.add(RecordOf(fix, Nearest(accel, fix.clipMs)))) break;
    }
}
