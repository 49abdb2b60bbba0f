#pragma once

#include "TrackFileExport.h"
#include "TrackLoader.h"

#include <QObject>
#include <QString>

class PlayerView;
class QAction;
class QMainWindow;

// The window's exports of the current clip: its track as GPX, GeoJSON or CSV,
// and a still of the frame on screen with a caption. Offered in a menu of the
// window; a failed write is told in a window-modal message and leaves no file.
class ClipExport : public QObject {
    Q_OBJECT

public:
    ClipExport(QMainWindow* window, PlayerView* player);

    // A new clip is opening: no track until setTrack.
    void startClip(const QString& videoPath);
    void setTrack(const TrackLoad& load);
    // No clip at all.
    void clear();

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
    QString defaultPath(const QString& suffix) const;
    void tellFailure(const QString& path, const QString& reason);

    QMainWindow* window;
    PlayerView* player;
    QString clipPath;
    TrackLoad clip;
    QAction* exportTrackItem;
    QAction* saveStillItem;
    QAction* saveStillWithInstrumentsItem;
};
