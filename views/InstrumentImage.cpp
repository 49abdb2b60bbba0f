#include "InstrumentImage.h"

#include <QPixmap>

QImage renderInstrument(QSizeF size, const GPSTrack* track, float t, const PaintInstrument& paint) {
    Graphics graphics(size);
    paint(graphics, track, t);
    return graphics.getImage();
}

void showInstrument(QLabel* imageView, const GPSTrack* track, float t, const PaintInstrument& paint) {
    if (!imageView) return;
    // An unshared image converts to the display's format in place; scanning
    // it for transparency would only cost time, the background is opaque.
    imageView->setPixmap(QPixmap::fromImage(
        renderInstrument(QSizeF(imageView->size()), track, t, paint), Qt::NoOpaqueDetection));
}
