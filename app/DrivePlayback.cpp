#include "DrivePlayback.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFile>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QVideoFrame>
#include <QVideoSink>

#include <cmath>

struct DrivePlayback::ClipPlayer {
    size_t clip = 0;
    // Declared before the player, so that the player, which reads the file
    // on its own threads, ends first.
    std::unique_ptr<QFile> file;
    std::unique_ptr<QVideoSink> sink;
    std::unique_ptr<QMediaPlayer> player;
    std::optional<qint64> pendingOffset;  // applied once the clip has opened
    bool isLoaded = false;
    bool failed = false;
};

DrivePlayback::DrivePlayback(Sound sound, QObject* parent) : QObject(parent), sound(sound) {}

DrivePlayback::~DrivePlayback() = default;

void DrivePlayback::open(const QList<QUrl>& clips, const std::vector<double>& durationsMs) {
    sources = clips;
    durations = durationsMs;
    durations.resize(static_cast<size_t>(sources.size()), 0.0);
    playerDuration.assign(durations.size(), false);
    clock = DriveTimeline(durations);
    playing = false;
    retire(std::move(next));
    if (sources.isEmpty()) {
        retire(std::move(current));
    } else {
        makeCurrent(openClip(0, 0));
    }
    emit durationChanged(clock.totalDuration());
    emit playingChanged(false);
}

void DrivePlayback::setDurations(const std::vector<double>& durationsMs) {
    if (durationsMs.size() != durations.size()) return;
    for (size_t i = 0; i < durations.size(); ++i) {
        if (durationsMs[i] > 0 && !playerDuration[i]) durations[i] = durationsMs[i];
    }
    clock = DriveTimeline(durations);
    emit durationChanged(clock.totalDuration());
    if (const auto at = position()) emit positionChanged(*at);
}

QMediaPlayer* DrivePlayback::player() const { return current ? current->player.get() : nullptr; }

QVideoSink* DrivePlayback::videoSink() const { return current ? current->sink.get() : nullptr; }

std::optional<double> DrivePlayback::position() const {
    if (!current) return std::nullopt;
    const qint64 offset = current->pendingOffset.value_or(current->player->position());
    return clock.driveTime(current->clip, static_cast<double>(offset));
}

std::optional<double> DrivePlayback::shownTime() const {
    if (!current || current->pendingOffset) return position();
    const qint64 startUs = current->sink->videoFrame().startTime();
    if (startUs < 0) return position();
    return clock.driveTime(current->clip, static_cast<double>(startUs) / 1000.0);
}

void DrivePlayback::play() {
    if (!current) return;
    // At the drive's end, play starts it over, as a player does at a clip's end.
    if (current->clip + 1 == clock.clipCount() && current->player->mediaStatus() == QMediaPlayer::EndOfMedia) {
        seek(0);
    }
    playing = true;
    emit playingChanged(true);
    if (current->failed) return skipFailed();
    if (current->isLoaded) current->player->play();
}

void DrivePlayback::pause() {
    playing = false;
    if (current) current->player->pause();
    emit playingChanged(false);
}

void DrivePlayback::seek(double driveMs) {
    const std::optional<DriveTimeline::ClipTime> at = clock.locate(driveMs);
    if (!at || !current) return;
    const auto offset = static_cast<qint64>(std::llround(at->offsetMs));
    if (at->clip == current->clip) {
        if (current->isLoaded) {
            current->player->setPosition(offset);
            if (playing) current->player->play();
        } else {
            current->pendingOffset = offset;
        }
    } else if (next && next->clip == at->clip) {
        std::unique_ptr<ClipPlayer> taking = std::move(next);
        if (taking->isLoaded) {
            taking->player->setPosition(offset);
        } else {
            taking->pendingOffset = offset;
        }
        makeCurrent(std::move(taking));
    } else {
        retire(std::move(next));
        makeCurrent(openClip(at->clip, at->offsetMs));
    }
    emit positionChanged(clock.driveTime(at->clip, at->offsetMs));
}

void DrivePlayback::setPlaybackRate(double newRate) {
    rate = newRate;
    for (ClipPlayer* clip : {current.get(), next.get()})
        if (clip) clip->player->setPlaybackRate(rate);
}

void DrivePlayback::setSoundSettings(std::function<void(QAudioOutput*)> apply) {
    soundSettings = std::move(apply);
    for (ClipPlayer* clip : {current.get(), next.get()})
        if (clip && clip->player->audioOutput() && soundSettings) soundSettings(clip->player->audioOutput());
}

std::unique_ptr<DrivePlayback::ClipPlayer> DrivePlayback::openClip(size_t clip, double offsetMs) {
    auto opened = std::make_unique<ClipPlayer>();
    opened->clip = clip;
    opened->sink = std::make_unique<QVideoSink>();
    opened->player = std::make_unique<QMediaPlayer>();
    opened->player->setVideoSink(opened->sink.get());
    // Without a sound server there is no output device, and the backend's
    // audio thread crashes on the missing one: the picture then plays silent.
    if (sound == Sound::On && !QMediaDevices::defaultAudioOutput().isNull()) {
        opened->player->setAudioOutput(new QAudioOutput(opened->player.get()));
        if (soundSettings) soundSettings(opened->player->audioOutput());
    }
    opened->player->setPlaybackRate(rate);
    if (offsetMs > 0) opened->pendingOffset = static_cast<qint64>(std::llround(offsetMs));
    attach(*opened);
    // The FFmpeg backend passes a local path on as Latin-1, which loses every
    // other letter (café, 前视); an open file has no name to lose.
    const QUrl& url = sources[static_cast<qsizetype>(clip)];
    if (url.isLocalFile()) {
        opened->file = std::make_unique<QFile>(url.toLocalFile());
        if (opened->file->open(QIODevice::ReadOnly)) {
            opened->player->setSourceDevice(opened->file.get(), url);
            return opened;
        }
        opened->file.reset();
    }
    opened->player->setSource(url);
    return opened;
}

void DrivePlayback::attach(ClipPlayer& clip) {
    QMediaPlayer* player = clip.player.get();
    ClipPlayer* slot = &clip;
    connect(player, &QMediaPlayer::mediaStatusChanged, this, [this, slot](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::LoadedMedia && !slot->isLoaded) loaded(*slot);
        if (status == QMediaPlayer::EndOfMedia && slot == current.get()) handOver();
        if (status == QMediaPlayer::InvalidMedia) fail(*slot);
    });
    connect(player, &QMediaPlayer::durationChanged, this,
            [this, slot](qint64 duration) { learnDuration(slot->clip, duration); });
    connect(player, &QMediaPlayer::positionChanged, this, [this, slot](qint64 offset) {
        if (slot == current.get() && !slot->pendingOffset) {
            emit positionChanged(clock.driveTime(slot->clip, static_cast<double>(offset)));
        }
    });
    connect(player, &QMediaPlayer::errorOccurred, this, [this, slot] { fail(*slot); });
}

void DrivePlayback::loaded(ClipPlayer& clip) {
    clip.isLoaded = true;
    if (const auto offset = std::exchange(clip.pendingOffset, std::nullopt)) clip.player->setPosition(*offset);
    // Paused rather than stopped, so that its first picture is in the sink before it plays.
    if (&clip == current.get() && playing) {
        clip.player->play();
    } else {
        clip.player->pause();
    }
    if (&clip == current.get()) {
        emit positionChanged(clock.driveTime(clip.clip, static_cast<double>(clip.player->position())));
        prepareNext();
    }
}

void DrivePlayback::learnDuration(size_t clip, qint64 durationMs) {
    if (clip >= durations.size() || durationMs <= 0) return;
    playerDuration[clip] = true;
    if (durations[clip] == static_cast<double>(durationMs)) return;
    durations[clip] = static_cast<double>(durationMs);
    clock = DriveTimeline(durations);
    emit durationChanged(clock.totalDuration());
}

void DrivePlayback::prepareNext() {
    if (!current || current->clip + 1 >= clock.clipCount()) return;
    if (next && next->clip == current->clip + 1) return;
    next = openClip(current->clip + 1, 0);
}

void DrivePlayback::handOver() {
    if (!next || next->clip != current->clip + 1) prepareNext();
    if (!next) {
        // The drive is over: the last picture stays.
        playing = false;
        emit playingChanged(false);
        return;
    }
    makeCurrent(std::move(next));
}

void DrivePlayback::makeCurrent(std::unique_ptr<ClipPlayer> clip) {
    retire(std::move(current));
    current = std::move(clip);
    emit videoSinkChanged(current->sink.get());
    if (current->failed) return skipFailed();
    if (!current->isLoaded) return;
    if (playing) {
        current->player->play();
    } else {
        current->player->pause();
    }
    emit positionChanged(clock.driveTime(current->clip, static_cast<double>(current->player->position())));
    prepareNext();
}

void DrivePlayback::fail(ClipPlayer& clip) {
    if (clip.failed) return;
    clip.failed = true;
    if (&clip == current.get()) skipFailed();
}

void DrivePlayback::skipFailed() {
    emit errorOccurred(current->player->errorString());
    // Out of the player's own signal first; the next clip may have failed as well.
    if (!playing) return;
    QMetaObject::invokeMethod(
        this, [this, clip = current->clip] {
            if (current && current->clip == clip && current->failed && playing) handOver();
        },
        Qt::QueuedConnection);
}

void DrivePlayback::retire(std::unique_ptr<ClipPlayer> clip) {
    if (!clip) return;
    clip->player->disconnect(this);
    retired.push_back(std::move(clip));
    QMetaObject::invokeMethod(this, [this] { retired.clear(); }, Qt::QueuedConnection);
}
