#include "RecordedTime.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimeZone>

#include <chrono>
#include <cmath>

namespace {

constexpr qint64 kMsPerMinute = 60 * 1000;

QString InstantText(const TrackLoad& clip, double pointTimeMs, int clockOffsetMinutes) {
    if (!clip.track || !clip.hasStartTime || !std::isfinite(pointTimeMs)) return {};
    const qint64 startMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                               clip.track->getStartTime().time_since_epoch()).count();
    const qint64 instant = startMs + std::llround(pointTimeMs) + clockOffsetMinutes * kMsPerMinute;
    // A camera's own clock was read in the local zone; a GPS clock is UTC.
    if (clip.clock == GPSClock::UTC)
        return QDateTime::fromMSecsSinceEpoch(instant, QTimeZone::utc()).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss 'UTC'"));
    return QDateTime::fromMSecsSinceEpoch(instant).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

}  // namespace

QString RecordedDateTime(const TrackLoad& clip, double t, int clockOffsetMinutes) {
    GPSPoint point;
    if (!clip.track || clip.track->isEmpty() || !std::isfinite(t) || !clip.track->getPoint(t, point)) return {};
    return InstantText(clip, point.time, clockOffsetMinutes);
}

QString RecordedStart(const TrackLoad& clip, int clockOffsetMinutes) {
    if (!clip.track || clip.track->isEmpty()) return {};
    return InstantText(clip, clip.track->pointArray().front().time, clockOffsetMinutes);
}

QString RecordedCaption(const QString& when) {
    return when.isEmpty() ? QString() : QCoreApplication::translate("RecordedTime", "Recorded %1").arg(when);
}
