#include "PlayerView.h"

#include "VideoSurface.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QProxyStyle>
#include <QSignalBlocker>
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

// A click in the groove puts the handle there, as in every media player,
// rather than paging towards the click.
class SeekSliderStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_Slider_AbsoluteSetButtons) return Qt::LeftButton | Qt::MiddleButton;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

constexpr int kSeekStepMs = 5000;
constexpr int kSeekPageMs = 30000;

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
    auto* sliderStyle = new SeekSliderStyle;
    sliderStyle->setParent(seekSlider);
    seekSlider->setStyle(sliderStyle);
    seekSlider->setSingleStep(kSeekStepMs);
    seekSlider->setPageStep(kSeekPageMs);
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
    // Every way of moving the handle (drag, click, keys, wheel) seeks; the
    // player's own progress moves it with the signals blocked.
    connect(seekSlider, &QSlider::valueChanged, this, &PlayerView::seekTo);
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

void PlayerView::attachPlayer() {
    // Each player has its own output, ended with it. Without a sound server
    // there is no output device, and the backend's audio thread crashes on
    // the missing one: the picture then plays silent.
    if (!QMediaDevices::defaultAudioOutput().isNull()) {
        mediaPlayer->setAudioOutput(new QAudioOutput(mediaPlayer.get()));
    }
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

void PlayerView::resetControls() {
    const QSignalBlocker quiet(seekSlider);
    seekSlider->setRange(0, 0);
    seekSlider->setEnabled(mediaPlayer != nullptr);
    playButton->setEnabled(mediaPlayer != nullptr);
    timeLabel->setText(ClockText(0) + QStringLiteral(" / ") + ClockText(0));
    showPlaybackState();
}
