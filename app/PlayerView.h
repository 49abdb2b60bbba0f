#pragma once

#include <QUrl>
#include <QWidget>

#include <memory>
#include <optional>

class QFile;
class QLabel;
class QMediaPlayer;
class QSlider;
class QToolButton;
class VideoSurface;

// The video area: the picture, a play/pause button, a seek slider and the
// time. It may hold no player at all, which is a state of its own: nothing
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

    // Moves playback to ms, within the clip.
    void seek(qint64 ms);

public slots:
    void togglePlayback();

signals:
    // The position moved while not playing (a seek, a frame step): whatever
    // follows playback should show it now rather than at its next tick.
    void pausedPositionChanged();

private:
    void attachPlayer();
    void seekTo(int position);
    void showPosition(qint64 position);
    void showDuration(qint64 duration);
    void showPlaybackState();
    void showError();
    void resetControls();

    VideoSurface* video = nullptr;
    QToolButton* playButton = nullptr;
    QSlider* seekSlider = nullptr;
    QLabel* timeLabel = nullptr;
    QLabel* messageLabel = nullptr;
    // Declared before the player, so that the player, which reads the file
    // on its own threads, ends first.
    std::unique_ptr<QFile> sourceFile;
    std::unique_ptr<QMediaPlayer> mediaPlayer;
};
