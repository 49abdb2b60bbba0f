#pragma once

#include "GPSTrack.h"
#include "TrackLoader.h"
#include "UnitFormat.h"

#include <QImage>
#include <QString>

// "2015-06-15 12:00:05 · 42.5 km/h · E:113.501° N:22.501°" for the point at
// playback time t (ms): the recorded date and time (corrected by the clip's
// clock offset) when the track has a start time, the speed in the chosen
// units and the position. Empty without a point.
QString StillCaption(const TrackLoad& clip, double t, UnitSystem units, int clockOffsetMinutes);

// The frame with the caption in a band under it and, when asked, the G-sensor
// and distance charts at time t stacked beside the frame.
QImage ComposeStill(const QImage& frame, const QString& caption, const GPSTrack* track, float t,
                    bool withInstruments);
