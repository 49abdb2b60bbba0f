#include "StillImage.h"

#include "DetailChart.h"
#include "GSensorChart.h"
#include "InstrumentImage.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QPainter>
#include <QTimeZone>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

// The caption stays readable on a small frame and in proportion on a large one.
int CaptionPixelSize(int frameWidth) { return std::max(12, frameWidth / 60); }

QString RecordedTime(const TrackLoad& clip, double pointTimeMs) {
    if (!clip.hasStartTime || !std::isfinite(pointTimeMs)) return {};
    const qint64 startMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                               clip.track->getStartTime().time_since_epoch()).count();
    const qint64 instant = startMs + std::llround(pointTimeMs);
    // A camera's own clock was read in the local zone; a GPS clock is UTC.
    if (clip.clock == GPSClock::UTC)
        return QDateTime::fromMSecsSinceEpoch(instant, QTimeZone::utc()).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss 'UTC'"));
    return QDateTime::fromMSecsSinceEpoch(instant).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

}  // namespace

QString StillCaption(const TrackLoad& clip, double t) {
    GPSPoint point;
    if (!clip.track || clip.track->isEmpty() || !std::isfinite(t) || !clip.track->getPoint(t, point)) return {};
    QStringList parts;
    if (const QString when = RecordedTime(clip, point.time); !when.isEmpty()) parts << when;
    parts << QCoreApplication::translate("StillImage", "%1 km/h").arg(point.speed, 0, 'f', 1);
    parts << QString::fromStdString(point.toString());
    return parts.join(QStringLiteral("  ·  "));
}

QImage ComposeStill(const QImage& frame, const QString& caption, const GPSTrack* track, float t,
                    bool withInstruments) {
    const int pixelSize = CaptionPixelSize(frame.width());
    const int bandHeight = pixelSize * 2;
    const int chartWidth = withInstruments ? frame.width() / 2 : 0;
    QImage still(frame.width() + chartWidth, frame.height() + bandHeight, QImage::Format_RGB32);
    still.fill(Qt::black);

    QPainter painter(&still);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawImage(0, 0, frame);
    if (withInstruments) {
        const QSizeF chartSize(chartWidth, frame.height() / 2.0);
        painter.drawImage(frame.width(), 0, renderInstrument(chartSize, track, t, paintGSensorChart));
        painter.drawImage(QPointF(frame.width(), chartSize.height()),
                          renderInstrument(chartSize, track, t, paintDetailChart));
    }
    QFont font = painter.font();
    font.setPixelSize(pixelSize);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QRect band(pixelSize / 2, frame.height(), still.width() - pixelSize, bandHeight);
    painter.drawText(band, Qt::AlignVCenter | Qt::AlignLeft, caption);
    return still;
}
