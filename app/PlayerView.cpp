#include "PlayerView.h"

#include "VideoSurface.h"

#include <QAudioOutput>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <climits>

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

}  // namespace

PlayerView::PlayerView(QWidget* parent) : QWidget(parent) {
    video = new VideoSurface(this);
    video->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    video->setMinimumSize(160, 90);

    playButton = new QToolButton(this);
    playButton->setObjectName(QStringLiteral("playButton"));
    playButton->setAutoRaise(true);
    seekSlider = new QSlider(Qt::Horizontal, this);
    seekSlider->setObjectName(QStringLiteral("seekSlider"));
    timeLabel = new QLabel(this);
    timeLabel->setObjectName(QStringLiteral("timeLabel"));
    messageLabel = new QLabel(this);
    messageLabel->setObjectName(QStringLiteral("messageLabel"));
    messageLabel->setWordWrap(true);
    messageLabel->hide();

    auto* controls = new QHBoxLayout;
    controls->setContentsMargins(4, 2, 4, 2);
    controls->addWidget(playButton);
    controls->addWidget(seekSlider, 1);
    controls->addWidget(timeLabel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(video, 1);
    layout->addWidget(messageLabel);
    layout->addLayout(controls);

    connect(playButton, &QToolButton::clicked, this, &PlayerView::togglePlayback);
    connect(seekSlider, &QSlider::sliderMoved, this, [this](int position) {
        if (mediaPlayer) mediaPlayer->setPosition(position);
    });
    resetControls();
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
    mediaPlayer->setSource(url);
}

void PlayerView::removePlayer() {
    // A player may still report while it is torn down; the view no longer listens.
    if (mediaPlayer) mediaPlayer->disconnect(this);
    mediaPlayer.reset();
    video->clear();
    messageLabel->hide();
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

void PlayerView::attachPlayer() {
    // Each player has its own output, ended with it.
    mediaPlayer->setAudioOutput(new QAudioOutput(mediaPlayer.get()));
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

void PlayerView::showPosition(qint64 position) {
    if (!seekSlider->isSliderDown()) seekSlider->setValue(static_cast<int>(qMin<qint64>(position, INT_MAX)));
    timeLabel->setText(ClockText(position) + QStringLiteral(" / ") + ClockText(mediaPlayer->duration()));
}

void PlayerView::showDuration(qint64 duration) {
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

void PlayerView::resetControls() {
    seekSlider->setRange(0, 0);
    seekSlider->setEnabled(mediaPlayer != nullptr);
    playButton->setEnabled(mediaPlayer != nullptr);
    timeLabel->setText(ClockText(0) + QStringLiteral(" / ") + ClockText(0));
    showPlaybackState();
}
