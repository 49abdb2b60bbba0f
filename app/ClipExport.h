#pragma once

#include "TrackFileExport.h"
#include "TrackLoader.h"
#include "UnitFormat.h"

#include <QObject>
#include <QString>
#include <QStringList>

class PlayerView;
class QAction;
class QMainWindow;

// The window's exports of the current drive: its track as GPX, GeoJSON or CSV,
// times running on across its clips, and a still of the frame on screen with
// a caption. Offered in a menu of the
// window; a failed write is told in a window-modal message and leaves no file.
class ClipExport : public QObject {
    Q_OBJECT

public:
    ClipExport(QMainWindow* window, PlayerView* player);

    // A new drive is opening (its leading camera's clips): no track until setTrack.
    void startDrive(const QStringList& clipPaths);
    void setTrack(const TrackLoad& load);
    // No clip at all.
    void clear();
    // The still's speed in these units.
    void setUnits(UnitSystem chosen) { units = chosen; }
    // Minutes the user added to the clip's camera clock: the still's time and
    // the exported track's times move by them.
    void setClockOffset(int minutes) { clockOffsetMinutes = minutes; }

    // Without a dialog; true when the file was written.
    bool exportTrackTo(const QString& path, TrackFileFormat format);
    bool saveStillTo(const QString& path, bool withInstruments);
    // The still's caption for the current playback time.
    QString currentCaption() const;

    QAction* exportTrackAction() const { return exportTrackItem; }
    QAction* saveStillAction() const { return saveStillItem; }
    QAction* saveStillWithInstrumentsAction() const { return saveStillWithInstrumentsItem; }

private:
    void exportTrack();
    void saveStill(bool withInstruments);
    double playbackTime() const;
    std::string trackName() const;
    QString defaultPath(const QString& suffix) const;
    void tellFailure(const QString& path, const QString& reason);

    QMainWindow* window;
    PlayerView* player;
    QStringList clipPaths;
    TrackLoad clip;
    UnitSystem units = UnitSystem::Metric;
    int clockOffsetMinutes = 0;
    QAction* exportTrackItem;
    QAction* saveStillItem;
    QAction* saveStillWithInstrumentsItem;
};
