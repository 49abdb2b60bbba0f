#include "PlayerView.h"

#include "SeekSlider.h"
#include "VideoSurface.h"
#include "VolumeControl.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaDevices>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

namespace {

// "m:ss", or "h:mm:ss" from one hour on.
QString ClockText(qint64 milliseconds) {
    const long long total = qMax<qint64>(milliseconds, 0) / 1000;
    const long long hours = total / 3600;
    const long long minutes = (total / 60) % 60;
    const long long seconds = total % 60;
    if (hours > 0) return QString::asprintf("%lld:%02lld:%02lld", hours, minutes, seconds);
    return QString::asprintf("%lld:%02lld", minutes, seconds);
}

constexpr int kSeekStepMs = 5000;
constexpr int kSeekPageMs = 30000;
constexpr std::array kRates = {0.25, 0.5, 1.0, 1.5, 2.0, 4.0};
// When the clip does not say; most dash cameras record 30 frames a second.
constexpr double kDefaultFrameRate = 30;
// A seek lands near, not on, the time asked for; and "previous" just after
// an event means the one before it, as a music player's previous track does.
constexpr qint64 kNextEventSlackMs = 100;
constexpr qint64 kPreviousEventSlackMs = 1000;

}  // namespace

PlayerView::PlayerView(QWidget* parent) : QWidget(parent) {
    video = new VideoSurface(this);
    video->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    video->setMinimumSize(160, 90);

    playButton = new QToolButton(this);
    playButton->setObjectName(QStringLiteral("playButton"));
    playButton->setAutoRaise(true);
    seekSlider = new SeekSlider(this);
    seekSlider->setObjectName(QStringLiteral("seekSlider"));
    seekSlider->setSingleStep(kSeekStepMs);
    seekSlider->setPageStep(kSeekPageMs);
    timeLabel = new QLabel(this);
    timeLabel->setObjectName(QStringLiteral("timeLabel"));
    rateLabel = new QLabel(this);
    rateLabel->setObjectName(QStringLiteral("rateLabel"));
    rateLabel->setToolTip(tr("Playback speed"));
    rateLabel->setContentsMargins(6, 0, 0, 0);
    volume = new VolumeControl(this);
    messageLabel = new QLabel(this);
    messageLabel->setObjectName(QStringLiteral("messageLabel"));
    messageLabel->setWordWrap(true);
    messageLabel->hide();

    auto* controls = new QHBoxLayout;
    controls->setContentsMargins(4, 2, 4, 2);
    controls->addWidget(playButton);
    controls->addWidget(seekSlider, 1);
    controls->addWidget(timeLabel);
    controls->addWidget(rateLabel);
    controls->addWidget(volume);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(video, 1);
    layout->addWidget(messageLabel);
    layout->addLayout(controls);

    connect(playButton, &QToolButton::clicked, this, &PlayerView::togglePlayback);
    // Every way of moving the handle (drag, click, keys, wheel) seeks; the
    // player's own progress moves it with the signals blocked.
    connect(seekSlider, &QSlider::valueChanged, this, &PlayerView::seekTo);
    connect(video, &VideoSurface::doubleClicked, this, &PlayerView::videoDoubleClicked);
    connect(volume, &VolumeControl::changed, this, [this] {
        if (mediaPlayer) volume->applyTo(mediaPlayer->audioOutput());
    });
    resetControls();
    showRate();
}

PlayerView::~PlayerView() = default;

void PlayerView::openVideo(const QUrl& url) {
    if (mediaPlayer) {
        mediaPlayer->pause();
    } else {
        mediaPlayer = std::make_unique<QMediaPlayer>();
        attachPlayer();
    }
    messageLabel->hide();
    setEventTimes({});
    // The FFmpeg backend passes a local path on as Latin-1, which loses every
    // other letter (café, 前视); an open file has no name to lose.
    std::unique_ptr<QFile> previous = std::move(sourceFile);
    if (url.isLocalFile()) {
        sourceFile = std::make_unique<QFile>(url.toLocalFile());
        if (sourceFile->open(QIODevice::ReadOnly)) {
            mediaPlayer->setSourceDevice(sourceFile.get(), url);
        } else {
            sourceFile.reset();
            mediaPlayer->setSource(url);
        }
    } else {
        mediaPlayer->setSource(url);
    }
    // The old source may still be read until the player has let go of it.
    if (previous) previous.release()->deleteLater();
}

void PlayerView::removePlayer() {
    // A player may still report while it is torn down; the view no longer listens.
    if (mediaPlayer) mediaPlayer->disconnect(this);
    mediaPlayer.reset();
    sourceFile.reset();
    video->clear();
    messageLabel->hide();
    setEventTimes({});
    resetControls();
}

std::optional<double> PlayerView::currentTime() const {
    if (!mediaPlayer || mediaPlayer->source().isEmpty()) return std::nullopt;
    return static_cast<double>(mediaPlayer->position());
}

void PlayerView::togglePlayback() {
    if (!mediaPlayer) return;
    if (mediaPlayer->playbackState() == QMediaPlayer::PlayingState) {
        mediaPlayer->pause();
    } else {
        mediaPlayer->play();
    }
}

void PlayerView::seek(qint64 ms) {
    if (!mediaPlayer) return;
    const qint64 end = mediaPlayer->duration();
    mediaPlayer->setPosition(end > 0 ? qBound<qint64>(0, ms, end) : qMax<qint64>(ms, 0));
}

void PlayerView::seekBy(qint64 ms) {
    if (mediaPlayer) seek(mediaPlayer->position() + ms);
}

void PlayerView::seekToEnd() {
    if (mediaPlayer) seek(mediaPlayer->duration());
}

void PlayerView::stepFrames(int frames) {
    if (!mediaPlayer) return;
    mediaPlayer->pause();
    const double stated = mediaPlayer->metaData().value(QMediaMetaData::VideoFrameRate).toDouble();
    const double frameRate = std::isfinite(stated) && stated >= 1 ? stated : kDefaultFrameRate;
    seek(mediaPlayer->position() + std::llround(frames * 1000 / frameRate));
}

void PlayerView::changeRate(int steps) {
    const auto at = std::find(kRates.begin(), kRates.end(), rate);
    const auto index = std::clamp<std::ptrdiff_t>(at - kRates.begin() + steps, 0, kRates.size() - 1);
    rate = kRates[static_cast<size_t>(index)];
    if (mediaPlayer) mediaPlayer->setPlaybackRate(rate);
    showRate();
}

void PlayerView::setEventTimes(std::vector<qint64> times) {
    std::sort(times.begin(), times.end());
    eventTimes = std::move(times);
    seekSlider->setMarks({eventTimes.begin(), eventTimes.end()});
}

void PlayerView::jumpToEvent(int direction) {
    if (!mediaPlayer) return;
    const qint64 now = mediaPlayer->position();
    if (direction > 0) {
        const auto next = std::upper_bound(eventTimes.begin(), eventTimes.end(), now + kNextEventSlackMs);
        if (next != eventTimes.end()) seek(*next);
    } else {
        const auto after = std::lower_bound(eventTimes.begin(), eventTimes.end(), now - kPreviousEventSlackMs);
        if (after != eventTimes.begin()) seek(*std::prev(after));
    }
}

void PlayerView::attachPlayer() {
    // Each player has its own output, ended with it. Without a sound server
    // there is no output device, and the backend's audio thread crashes on
    // the missing one: the picture then plays silent.
    if (!QMediaDevices::defaultAudioOutput().isNull()) {
        mediaPlayer->setAudioOutput(new QAudioOutput(mediaPlayer.get()));
        volume->applyTo(mediaPlayer->audioOutput());
    }
    mediaPlayer->setPlaybackRate(rate);
    mediaPlayer->setVideoSink(video->videoSink());
    connect(mediaPlayer.get(), &QMediaPlayer::positionChanged, this, &PlayerView::showPosition);
    connect(mediaPlayer.get(), &QMediaPlayer::durationChanged, this, &PlayerView::showDuration);
    connect(mediaPlayer.get(), &QMediaPlayer::playbackStateChanged, this, &PlayerView::showPlaybackState);
    connect(mediaPlayer.get(), &QMediaPlayer::errorOccurred, this, &PlayerView::showError);
    // Paused rather than stopped once loaded, so the first picture shows before play.
    connect(mediaPlayer.get(), &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::LoadedMedia && mediaPlayer->playbackState() == QMediaPlayer::StoppedState) {
            mediaPlayer->pause();
        }
    });
    playButton->setEnabled(true);
    seekSlider->setEnabled(true);
}

void PlayerView::seekTo(int position) {
    if (mediaPlayer) mediaPlayer->setPosition(position);
}

void PlayerView::showPosition(qint64 position) {
    if (!seekSlider->isSliderDown()) {
        const QSignalBlocker quiet(seekSlider);
        seekSlider->setValue(static_cast<int>(qMin<qint64>(position, INT_MAX)));
    }
    timeLabel->setText(ClockText(position) + QStringLiteral(" / ") + ClockText(mediaPlayer->duration()));
    if (mediaPlayer->playbackState() != QMediaPlayer::PlayingState) emit pausedPositionChanged();
}

void PlayerView::showDuration(qint64 duration) {
    const QSignalBlocker quiet(seekSlider);
    seekSlider->setRange(0, static_cast<int>(qMin<qint64>(duration, INT_MAX)));
    showPosition(mediaPlayer->position());
}

void PlayerView::showPlaybackState() {
    const bool playing = mediaPlayer && mediaPlayer->playbackState() == QMediaPlayer::PlayingState;
    playButton->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    playButton->setToolTip(playing ? tr("Pause") : tr("Play"));
}

void PlayerView::showError() {
    messageLabel->setText(mediaPlayer->errorString());
    messageLabel->show();
}

void PlayerView::showRate() {
    rateLabel->setText(tr("%1×").arg(rate));
    rateLabel->setVisible(rate != 1.0);
}

void PlayerView::resetControls() {
    const QSignalBlocker quiet(seekSlider);
    seekSlider->setRange(0, 0);
    seekSlider->setEnabled(mediaPlayer != nullptr);
    playButton->setEnabled(mediaPlayer != nullptr);
    timeLabel->setText(ClockText(0) + QStringLiteral(" / ") + ClockText(0));
    showPlaybackState();
}
