#include "InstrumentImage.h"

#include <QPixmap>

void showInstrument(QLabel* imageView, const GPSTrack* track, float t, PaintInstrument paint) {
    if (!imageView) return;
    Graphics graphics(QSizeF(imageView->size()));
    paint(graphics, track, t);
    imageView->setPixmap(QPixmap::fromImage(graphics.getImage()));
}
