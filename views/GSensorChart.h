#pragma once

#include "GPSTrack.h"
#include "Graphics.h"

#include <QString>

// The G-sensor strip chart: X, Y and Z from the current sample on, 8 px a
// sample, 1 G every quarter of the plot's height, positive values downward.
// Without a track (or with an empty one) only the gray background.
void paintGSensorChart(Graphics& graphics, const GPSTrack* track, float t);

// "X: 0.98G" and its siblings for the current sample; empty without a track.
struct GSensorTexts {
    QString x;
    QString y;
    QString z;
};
GSensorTexts gsensorTexts(const GPSTrack* track, float t);
