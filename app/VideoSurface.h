#pragma once

#include <QVideoFrame>
#include <QWidget>

class QVideoSink;

// Shows the frames a player delivers to its sink, scaled to fit on black.
// Painted like any widget rather than through a native child window, so it
// sits safely beside the web view and is part of QWidget::grab().
class VideoSurface : public QWidget {
    Q_OBJECT

public:
    explicit VideoSurface(QWidget* parent = nullptr);

    // Holds the frame on show; a player may deliver into it directly.
    QVideoSink* videoSink() const { return sink; }
    // Shows the frames another sink receives from now on, starting with the
    // one it holds, so a player prepared in the background shows at once.
    void follow(QVideoSink* source);
    // Back to black, as when no player is attached.
    void clear();
    // Where the picture is painted, scaled to fit; the whole surface without one.
    QRect pictureRect() const;

signals:
    void doubleClicked();
    // The picture's shape changed: a frame of another size, or the first one.
    void pictureSizeChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QVideoSink* sink = nullptr;
    QVideoFrame frame;
    QMetaObject::Connection following;
};
