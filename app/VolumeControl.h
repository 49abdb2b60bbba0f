#pragma once

#include <QWidget>

class QAudioOutput;
class QSlider;
class QToolButton;

// A mute button and a volume slider. The choice lives here rather than in a
// player, so that it holds for the next clip's player too.
class VolumeControl : public QWidget {
    Q_OBJECT

public:
    explicit VolumeControl(QWidget* parent = nullptr);

    bool isMuted() const { return muted; }
    // 0 to 100, on the slider's scale, which follows loudness as heard.
    int volume() const;
    void setVolume(int volume);
    // The choice, given to an output; null (no sound device) does nothing.
    void applyTo(QAudioOutput* output) const;

public slots:
    void toggleMute();

signals:
    void changed();

private:
    void showMuted();

    bool muted = false;
    QToolButton* muteButton = nullptr;
    QSlider* slider = nullptr;
};
