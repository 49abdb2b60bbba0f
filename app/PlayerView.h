#pragma once

#include <QList>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class DrivePlayback;
class QLabel;
class QMediaPlayer;
class QToolButton;
class SeekSlider;
class VideoSurface;
class VolumeControl;

// The video area: the picture, a play/pause button, a seek slider with the
// drive's events marked, the time and the volume, all on the drive's clock,
// and the picture of another camera of the drive inset in a corner. It may
// hold no player at all, which is a state of its own: nothing plays and the
// controls are disabled.
class PlayerView : public QWidget {
    Q_OBJECT

public:
    explicit PlayerView(QWidget* parent = nullptr);
    ~PlayerView() override;

    // The current clip's player; null when the view has no player.
    QMediaPlayer* player() const;

    // A drive of one clip.
    void openVideo(const QUrl& url);
    // The drive's leading camera, paused at its start; the other camera's
    // inset closes. Durations not known (0) are learnt as the clips open.
    void openDrive(const QList<QUrl>& clips, const std::vector<double>& durationsMs);
    void setClipDurations(const std::vector<double>& durationsMs);
    // Another camera of the drive, silent, in the inset; it follows keepOtherInStep.
    void openOtherChannel(const QList<QUrl>& clips, const std::vector<double>& durationsMs);
    // Keeps the other camera within a frame of the leading one, comparing
    // the frames on show: otherTimeFor maps a leading time to the other
    // camera's, none when it recorded nothing then (it pauses).
    void keepOtherInStep(const std::function<std::optional<double>(double)>& otherTimeFor);
    // Drive times of the frames on show; none without a player (or other camera).
    std::optional<double> shownTime() const;
    std::optional<double> otherShownTime() const;
    // The other camera takes the large picture, and back.
    void swapChannels();
    bool channelsSwapped() const { return swapped; }
    // Ends the players; the view shows nothing until the next open.
    void removePlayer();

    // Playback position in drive milliseconds; none without a player.
    std::optional<double> currentTime() const;
    double driveDuration() const;

    VideoSurface* videoSurface() const { return video; }
    VideoSurface* insetSurface() const { return inset; }
    VolumeControl* volumeControl() const { return volume; }

    // Moves playback to ms of the drive, opening the clip that holds it.
    void seek(qint64 ms);
    void seekBy(qint64 ms);
    void seekToEnd();
    // Pauses and moves by whole frames of the clip's frame rate.
    void stepFrames(int frames);
    // Moves steps along the rates offered, staying within them. The rate
    // holds for the clips that follow.
    void changeRate(int steps);
    double playbackRate() const { return rate; }

    // Drive times (ms) of the drive's events, marked on the seek bar.
    void setEventTimes(std::vector<qint64> times);
    // To the next event after the position, or the one before it (direction
    // -1); nothing when there is none.
    void jumpToEvent(int direction);

public slots:
    void togglePlayback();

signals:
    // The position moved while not playing (a seek, a frame step): whatever
    // follows playback should show it now rather than at its next tick.
    void pausedPositionChanged();
    void videoDoubleClicked();

protected:
    // The inset keeps to the picture's corner as it resizes.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void attachPlayback();
    void showSinks();
    void placeInset();
    void seekTo(int position);
    void showPosition(double position);
    void showDuration(double duration);
    void showPlaybackState();
    void showError(const QString& message);
    void resetControls();
    void showRate();
    double frameMs() const;

    VideoSurface* video = nullptr;
    VideoSurface* inset = nullptr;
    QToolButton* playButton = nullptr;
    SeekSlider* seekSlider = nullptr;
    QLabel* timeLabel = nullptr;
    QLabel* rateLabel = nullptr;
    VolumeControl* volume = nullptr;
    double rate = 1.0;
    std::vector<qint64> eventTimes;
    QLabel* messageLabel = nullptr;
    std::unique_ptr<DrivePlayback> playback;
    std::unique_ptr<DrivePlayback> other;
    bool swapped = false;
};
