#include "VolumeControl.h"

#include <QAudio>
#include <QAudioOutput>
#include <QHBoxLayout>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int kMaxVolume = 100;
constexpr int kSliderWidth = 80;

}  // namespace

VolumeControl::VolumeControl(QWidget* parent) : QWidget(parent) {
    muteButton = new QToolButton(this);
    muteButton->setObjectName(QStringLiteral("muteButton"));
    muteButton->setAutoRaise(true);
    slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QStringLiteral("volumeSlider"));
    slider->setRange(0, kMaxVolume);
    slider->setValue(kMaxVolume);
    slider->setFixedWidth(kSliderWidth);
    slider->setToolTip(tr("Volume"));
    // Keys belong to the window's shortcuts; the slider takes the mouse only.
    slider->setFocusPolicy(Qt::NoFocus);
    muteButton->setFocusPolicy(Qt::NoFocus);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(muteButton);
    layout->addWidget(slider);

    connect(muteButton, &QToolButton::clicked, this, &VolumeControl::toggleMute);
    connect(slider, &QSlider::valueChanged, this, [this] {
        // Turning the volume up is a wish to hear.
        if (muted && slider->value() > 0) return toggleMute();
        emit changed();
    });
    showMuted();
}

int VolumeControl::volume() const { return slider->value(); }

void VolumeControl::setVolume(int volume) { slider->setValue(volume); }

void VolumeControl::applyTo(QAudioOutput* output) const {
    if (!output) return;
    output->setMuted(muted);
    output->setVolume(QAudio::convertVolume(static_cast<float>(slider->value()) / kMaxVolume,
                                            QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale));
}

void VolumeControl::toggleMute() {
    muted = !muted;
    showMuted();
    emit changed();
}

void VolumeControl::showMuted() {
    muteButton->setIcon(style()->standardIcon(muted ? QStyle::SP_MediaVolumeMuted : QStyle::SP_MediaVolume));
    muteButton->setToolTip(muted ? tr("Unmute") : tr("Mute"));
}
