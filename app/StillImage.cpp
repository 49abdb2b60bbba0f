#include "StillImage.h"

#include "DetailChart.h"
#include "GSensorChart.h"
#include "InstrumentImage.h"
#include "MeasureText.h"
#include "RecordedTime.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The caption stays readable on a small frame and in proportion on a large one.
int CaptionPixelSize(int frameWidth) { return std::max(12, frameWidth / 60); }

}  // namespace

QString StillCaption(const TrackLoad& clip, double t, UnitSystem units, int clockOffsetMinutes) {
    GPSPoint point;
    if (!clip.track || clip.track->isEmpty() || !std::isfinite(t) || !clip.track->getPoint(t, point)) return {};
    QStringList parts;
    if (const QString when = RecordedDateTime(clip, t, clockOffsetMinutes); !when.isEmpty()) parts << when;
    parts << MeasureText(FormatSpeed(point.speed, units, 1));
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
