#include "PlayerView.h"

#include "DrivePlayback.h"
#include "SeekSlider.h"
#include "VideoSurface.h"
#include "VolumeControl.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QVideoSink>

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
// The inset takes this share of the picture's width and height.
constexpr int kInsetShare = 3;
constexpr int kInsetMargin = 8;

}  // namespace

PlayerView::PlayerView(QWidget* parent) : QWidget(parent) {
    video = new VideoSurface(this);
    video->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    video->setMinimumSize(160, 90);
    video->installEventFilter(this);
    inset = new VideoSurface(video);
    inset->setObjectName(QStringLiteral("insetSurface"));
    inset->setToolTip(tr("The drive's other camera: double-click or press S to swap"));
    inset->hide();

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
    connect(inset, &VideoSurface::doubleClicked, this, &PlayerView::swapChannels);
    connect(video, &VideoSurface::pictureSizeChanged, this, &PlayerView::placeInset);
    connect(inset, &VideoSurface::pictureSizeChanged, this, &PlayerView::placeInset);
    connect(volume, &VolumeControl::changed, this, [this] {
        if (playback) playback->setSoundSettings([this](QAudioOutput* output) { volume->applyTo(output); });
    });
    resetControls();
    showRate();
}

PlayerView::~PlayerView() = default;

QMediaPlayer* PlayerView::player() const { return playback ? playback->player() : nullptr; }

void PlayerView::openVideo(const QUrl& url) { openDrive({url}, {0.0}); }

void PlayerView::openDrive(const QList<QUrl>& clips, const std::vector<double>& durationsMs) {
    other.reset();
    swapped = false;
    if (!playback) {
        playback = std::make_unique<DrivePlayback>(DrivePlayback::Sound::On);
        playback->setSoundSettings([this](QAudioOutput* output) { volume->applyTo(output); });
        playback->setPlaybackRate(rate);
        attachPlayback();
    }
    messageLabel->hide();
    setEventTimes({});
    playback->open(clips, durationsMs);
    showSinks();
}
void PlayerView::setClipDurations(const std::vector<double>& durationsMs) {
    if (playback) playback->setDurations(durationsMs);
}

void PlayerView::openOtherChannel(const QList<QUrl>& clips, const std::vector<double>& durationsMs) {
    if (!playback) return;
    other = std::make_unique<DrivePlayback>(DrivePlayback::Sound::Off);
    connect(other.get(), &DrivePlayback::videoSinkChanged, this, &PlayerView::showSinks);
    other->open(clips, durationsMs);
    showSinks();
}

void PlayerView::keepOtherInStep(const std::function<std::optional<double>(double)>& otherTimeFor) {
    if (!other || !playback) return;
    const std::optional<double> lead = playback->shownTime();
    const std::optional<double> target = lead ? otherTimeFor(*lead) : std::nullopt;
    if (!target) {
        if (other->isPlaying()) other->pause();
        return;
    }
    const std::optional<double> at = other->shownTime();
    if (!at || std::abs(*at - *target) > frameMs()) other->seek(*target);
    if (playback->isPlaying() != other->isPlaying()) playback->isPlaying() ? other->play() : other->pause();
}

std::optional<double> PlayerView::shownTime() const { return playback ? playback->shownTime() : std::nullopt; }

std::optional<double> PlayerView::otherShownTime() const { return other ? other->shownTime() : std::nullopt; }

void PlayerView::swapChannels() {
    if (!other) return;
    swapped = !swapped;
    showSinks();
}

void PlayerView::removePlayer() {
    other.reset();
    playback.reset();
    swapped = false;
    video->clear();
    inset->clear();
    showSinks();
    messageLabel->hide();
    setEventTimes({});
    resetControls();
}

std::optional<double> PlayerView::currentTime() const { return playback ? playback->position() : std::nullopt; }

double PlayerView::driveDuration() const { return playback ? playback->duration() : 0.0; }

void PlayerView::togglePlayback() {
    if (!playback) return;
    if (playback->isPlaying()) {
        playback->pause();
    } else {
        playback->play();
    }
}

void PlayerView::seek(qint64 ms) {
    if (!playback) return;
    const double end = playback->duration();
    playback->seek(end > 0 ? qBound(0.0, static_cast<double>(ms), end) : qMax(static_cast<double>(ms), 0.0));
}

void PlayerView::seekBy(qint64 ms) {
    if (const auto now = currentTime()) seek(std::llround(*now) + ms);
}

void PlayerView::seekToEnd() {
    if (playback) seek(std::llround(playback->duration()));
}

void PlayerView::stepFrames(int frames) {
    const auto now = currentTime();
    if (!now) return;
    playback->pause();
    seek(std::llround(*now + frames * frameMs()));
}

void PlayerView::changeRate(int steps) {
    const auto at = std::find(kRates.begin(), kRates.end(), rate);
    const auto index = std::clamp<std::ptrdiff_t>(at - kRates.begin() + steps, 0, kRates.size() - 1);
    rate = kRates[static_cast<size_t>(index)];
    if (playback) playback->setPlaybackRate(rate);
    if (other) other->setPlaybackRate(rate);
    showRate();
}

void PlayerView::setEventTimes(std::vector<qint64> times) {
    std::sort(times.begin(), times.end());
    eventTimes = std::move(times);
    seekSlider->setMarks({eventTimes.begin(), eventTimes.end()});
}

void PlayerView::jumpToEvent(int direction) {
    const auto position = currentTime();
    if (!position) return;
    const auto now = static_cast<qint64>(*position);
    if (direction > 0) {
        const auto next = std::upper_bound(eventTimes.begin(), eventTimes.end(), now + kNextEventSlackMs);
        if (next != eventTimes.end()) seek(*next);
    } else {
        const auto after = std::lower_bound(eventTimes.begin(), eventTimes.end(), now - kPreviousEventSlackMs);
        if (after != eventTimes.begin()) seek(*std::prev(after));
    }
}

bool PlayerView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == video && event->type() == QEvent::Resize) placeInset();
    return QWidget::eventFilter(watched, event);
}

void PlayerView::attachPlayback() {
    connect(playback.get(), &DrivePlayback::positionChanged, this, &PlayerView::showPosition);
    connect(playback.get(), &DrivePlayback::durationChanged, this, &PlayerView::showDuration);
    connect(playback.get(), &DrivePlayback::playingChanged, this, &PlayerView::showPlaybackState);
    connect(playback.get(), &DrivePlayback::errorOccurred, this, &PlayerView::showError);
    connect(playback.get(), &DrivePlayback::videoSinkChanged, this, [this] {
        // A clip that could not be played has been passed over.
        messageLabel->hide();
        showSinks();
    });
    playButton->setEnabled(true);
    seekSlider->setEnabled(true);
}

void PlayerView::showSinks() {
    QVideoSink* lead = playback ? playback->videoSink() : nullptr;
    QVideoSink* second = other ? other->videoSink() : nullptr;
    video->follow(swapped && second ? second : lead);
    inset->follow(swapped ? lead : second);
    inset->setVisible(second != nullptr);
    placeInset();
}

void PlayerView::placeInset() {
    // In the picture's corner rather than on the bars beside it; shaped as
    // the inset's own picture.
    const QRect picture = video->pictureRect();
    const QRect insetPicture = inset->pictureRect();
    const QSize size = (insetPicture.isEmpty() ? picture.size() : insetPicture.size())
                           .scaled(picture.size() / kInsetShare, Qt::KeepAspectRatio);
    inset->setGeometry(QRect(picture.bottomRight() - QPoint(size.width() + kInsetMargin, size.height() + kInsetMargin),
                             size));
    inset->raise();
}

void PlayerView::seekTo(int position) {
    if (playback) playback->seek(position);
}

void PlayerView::showPosition(double position) {
    const auto ms = static_cast<qint64>(position);
    if (!seekSlider->isSliderDown()) {
        const QSignalBlocker quiet(seekSlider);
        seekSlider->setValue(static_cast<int>(qMin<qint64>(ms, INT_MAX)));
    }
    timeLabel->setText(ClockText(ms) + QStringLiteral(" / ") + ClockText(static_cast<qint64>(driveDuration())));
    if (playback && !playback->isPlaying()) emit pausedPositionChanged();
}

void PlayerView::showDuration(double duration) {
    const QSignalBlocker quiet(seekSlider);
    seekSlider->setRange(0, static_cast<int>(qMin<double>(duration, INT_MAX)));
    showPosition(currentTime().value_or(0.0));
}

void PlayerView::showPlaybackState() {
    const bool playing = playback && playback->isPlaying();
    playButton->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    playButton->setToolTip(playing ? tr("Pause") : tr("Play"));
}

void PlayerView::showError(const QString& message) {
    messageLabel->setText(message);
    messageLabel->show();
}

void PlayerView::showRate() {
    rateLabel->setText(tr("%1×").arg(rate));
    rateLabel->setVisible(rate != 1.0);
}

void PlayerView::resetControls() {
    const QSignalBlocker quiet(seekSlider);
    seekSlider->setRange(0, 0);
    seekSlider->setEnabled(playback != nullptr);
    playButton->setEnabled(playback != nullptr);
    timeLabel->setText(ClockText(0) + QStringLiteral(" / ") + ClockText(0));
    showPlaybackState();
}

double PlayerView::frameMs() const {
    const QMediaPlayer* lead = player();
    const double stated = lead ? lead->metaData().value(QMediaMetaData::VideoFrameRate).toDouble() : 0.0;
    return 1000.0 / (std::isfinite(stated) && stated >= 1 ? stated : kDefaultFrameRate);
}
