#include "RecordedTimeLabel.h"

#include "RecordedTime.h"

RecordedTimeLabel::RecordedTimeLabel(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("recordedTime"));
    setToolTip(tr("When the camera recorded the point shown"));
    setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void RecordedTimeLabel::setClip(const TrackLoad& load) {
    // Only the track and its clock are needed, not the drawn line.
    clip.track = load.track;
    clip.hasStartTime = load.hasStartTime;
    clip.clock = load.clock;
    showTime(0);
}

void RecordedTimeLabel::setClockOffset(int minutes) {
    offsetMinutes = minutes;
    showTime(shownTime);
}

void RecordedTimeLabel::clear() {
    clip = TrackLoad();
    shownTime = 0;
    QLabel::clear();
}

void RecordedTimeLabel::showTime(double t) {
    shownTime = t;
    const QString when = RecordedDateTime(clip, t, offsetMinutes);
    setText(RecordedCaption(when));
}
