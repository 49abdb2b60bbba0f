#pragma once

#include "DriveTimeline.h"

#include <QList>
#include <QObject>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAudioOutput;
class QMediaPlayer;
class QVideoSink;

// One camera's clips played back to back on the drive's clock. The clip after
// the current one is opened and paused on its first frame while the current
// plays, and takes over at its end, so the picture moves on without a gap; a
// clip that cannot be played is passed over. Every position in and out is
// drive time; DriveTimeline does the clip arithmetic.
class DrivePlayback : public QObject {
    Q_OBJECT

public:
    enum class Sound { On, Off };

    explicit DrivePlayback(Sound sound, QObject* parent = nullptr);
    ~DrivePlayback() override;

    // Opens the clips, paused at drive time 0. Once a clip has opened, the
    // player's duration for it counts: it is what plays.
    void open(const QList<QUrl>& clips, const std::vector<double>& durationsMs);
    // Durations read after opening, for the clips no player has opened yet;
    // the position keeps its clip and offset.
    void setDurations(const std::vector<double>& durationsMs);

    const DriveTimeline& timeline() const { return clock; }
    // The current clip's player and the sink its frames arrive in.
    QMediaPlayer* player() const;
    QVideoSink* videoSink() const;
    // Drive time; none before open.
    std::optional<double> position() const;
    // Drive time of the frame on show, which the position runs ahead of by
    // up to the backend's reporting step; the position until a frame is there.
    std::optional<double> shownTime() const;
    double duration() const { return clock.totalDuration(); }
    bool isPlaying() const { return playing; }

    void play();
    void pause();
    // Both hold for every clip of the drive, those still to open too.
    void setPlaybackRate(double rate);
    // Given each clip's sound output (none without a sound device), now and as clips open.
    void setSoundSettings(std::function<void(QAudioOutput*)> apply);
    // Opens the clip holding driveMs at the right offset unless it is the current one.
    void seek(double driveMs);

signals:
    void positionChanged(double driveMs);
    void durationChanged(double driveMs);
    void playingChanged(bool playing);
    // Another clip took over: its frames arrive in this sink from now on.
    void videoSinkChanged(QVideoSink* sink);
    void errorOccurred(const QString& message);

private:
    struct ClipPlayer;

    std::unique_ptr<ClipPlayer> openClip(size_t clip, double offsetMs);
    void attach(ClipPlayer& clip);
    void loaded(ClipPlayer& clip);
    void learnDuration(size_t clip, qint64 durationMs);
    void prepareNext();
    // The current clip reached its end: the next one takes over, or the drive is over.
    void handOver();
    void makeCurrent(std::unique_ptr<ClipPlayer> clip);
    // A clip that cannot be played is told, and passed over while playing.
    void fail(ClipPlayer& clip);
    void skipFailed();
    // A player may still be inside one of its own signals: it ends on the next turn of the loop.
    void retire(std::unique_ptr<ClipPlayer> clip);

    Sound sound;
    QList<QUrl> sources;
    std::vector<double> durations;
    std::vector<bool> playerDuration;  // the clip's duration is its player's
    DriveTimeline clock{std::vector<double>{}};
    std::unique_ptr<ClipPlayer> current, next;
    std::vector<std::unique_ptr<ClipPlayer>> retired;
    bool playing = false;  // what the user asked for; players pause and start around it
    double rate = 1.0;
    std::function<void(QAudioOutput*)> soundSettings;
};
