#pragma once

#include "TrackLoader.h"

#include <QLabel>

// The recorded date and time of the point playback is at, on the camera's
// clock corrected by the clip's offset. Blank while no track with a start
// time is loaded.
class RecordedTimeLabel : public QLabel {
    Q_OBJECT

public:
    explicit RecordedTimeLabel(QWidget* parent = nullptr);

    void setClip(const TrackLoad& clip);
    void setClockOffset(int minutes);
    void clear();
    // Playback time in ms.
    void showTime(double t);

private:
    TrackLoad clip;
    int offsetMinutes = 0;
    double shownTime = 0;
};
