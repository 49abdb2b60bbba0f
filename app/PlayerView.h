#pragma once

#include <QUrl>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class QFile;
class QLabel;
class QMediaPlayer;
class QToolButton;
class SeekSlider;
class VideoSurface;
class VolumeControl;

// The video area: the picture, a play/pause button, a seek slider with the
// drive's events marked, the time and the volume. It may hold no player at all, which is a state of its own: nothing
// plays and the controls are disabled.
class PlayerView : public QWidget {
    Q_OBJECT

public:
    explicit PlayerView(QWidget* parent = nullptr);
    ~PlayerView() override;

    // Null when the view has no player.
    QMediaPlayer* player() const { return mediaPlayer.get(); }

    // With a player: paused and given the new source. Without one: a new
    // player for it. Playback does not start. A local file is handed to the
    // player open, so that its name reaches no byte encoding on the way.
    void openVideo(const QUrl& url);
    // Ends the player; the view shows nothing until the next openVideo.
    void removePlayer();

    // Playback position in milliseconds; none without a player or a source.
    std::optional<double> currentTime() const;

    VideoSurface* videoSurface() const { return video; }

    VolumeControl* volumeControl() const { return volume; }

    // Moves playback to ms, within the clip.
    void seek(qint64 ms);
    void seekBy(qint64 ms);
    void seekToEnd();
    // Pauses and moves by whole frames of the clip's frame rate.
    void stepFrames(int frames);
    // Moves steps along the rates offered, staying within them. The rate
    // holds for the clips that follow.
    void changeRate(int steps);
    double playbackRate() const { return rate; }

    // Playback times (ms) of the drive's events, marked on the seek bar.
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

private:
    void attachPlayer();
    void seekTo(int position);
    void showPosition(qint64 position);
    void showDuration(qint64 duration);
    void showPlaybackState();
    void showError();
    void resetControls();
    void showRate();

    VideoSurface* video = nullptr;
    QToolButton* playButton = nullptr;
    SeekSlider* seekSlider = nullptr;
    QLabel* timeLabel = nullptr;
    QLabel* rateLabel = nullptr;
    VolumeControl* volume = nullptr;
    double rate = 1.0;
    std::vector<qint64> eventTimes;
    QLabel* messageLabel = nullptr;
    // Declared before the player, so that the player, which reads the file
    // on its own threads, ends first.
    std::unique_ptr<QFile> sourceFile;
    std::unique_ptr<QMediaPlayer> mediaPlayer;
};
