#pragma once

#include "TrackLoader.h"

#include <QString>

// "2015-06-15 12:00:05" for the point at playback time t (ms): the track's
// recorded start plus the point's time, moved by the minutes the user added
// to the camera's clock. A GPS clock is shown as UTC and says so. Empty
// without a start time or a point.
QString RecordedDateTime(const TrackLoad& clip, double t, int clockOffsetMinutes);

// The same for the first point: when the drive began.
QString RecordedStart(const TrackLoad& clip, int clockOffsetMinutes);

// "Recorded 2015-06-15 12:00:05", the caption of such a time; empty for none.
QString RecordedCaption(const QString& when);
