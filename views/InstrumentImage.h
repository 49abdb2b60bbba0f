#pragma once

#include "GPSTrack.h"
#include "Graphics.h"

#include <QLabel>

using PaintInstrument = void (*)(Graphics& graphics, const GPSTrack* track, float t);

// Renders one instrument at the size of its image view and shows the result
// there, replacing the picture before. Without an image view nothing is drawn.
void showInstrument(QLabel* imageView, const GPSTrack* track, float t, PaintInstrument paint);
