#pragma once

#include "GPSTrack.h"
#include "Graphics.h"

#include <QImage>
#include <QLabel>

#include <functional>

using PaintInstrument = std::function<void(Graphics& graphics, const GPSTrack* track, float t)>;

// One instrument drawn on a fresh surface of the given size. The surface is
// gone when this returns, so the image owns its pixels alone.
QImage renderInstrument(QSizeF size, const GPSTrack* track, float t, const PaintInstrument& paint);

// Renders at the size of the image view and shows the result there, replacing
// the picture before. Without an image view nothing is drawn.
void showInstrument(QLabel* imageView, const GPSTrack* track, float t, const PaintInstrument& paint);
