#include "VideoSurface.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVideoSink>

VideoSurface::VideoSurface(QWidget* parent) : QWidget(parent), sink(new QVideoSink(this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(sink, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& next) {
        const bool resized = next.size() != frame.size();
        frame = next;
        update();
        if (resized) emit pictureSizeChanged();
    });
}

void VideoSurface::follow(QVideoSink* source) {
    disconnect(following);
    if (!source) return;
    following = connect(source, &QVideoSink::videoFrameChanged, sink, &QVideoSink::setVideoFrame);
    if (source->videoFrame().isValid()) sink->setVideoFrame(source->videoFrame());
}

void VideoSurface::clear() {
    disconnect(following);
    frame = QVideoFrame();
    update();
}

QRect VideoSurface::pictureRect() const {
    if (!frame.isValid() || frame.size().isEmpty()) return rect();
    QRect picture(QPoint(), frame.size().scaled(size(), Qt::KeepAspectRatio));
    picture.moveCenter(rect().center());
    return picture;
}

void VideoSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!frame.isValid()) return;
    QVideoFrame::PaintOptions options;
    options.aspectRatioMode = Qt::KeepAspectRatio;
    options.backgroundColor = Qt::black;
    frame.paint(&painter, rect(), options);
}

void VideoSurface::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked();
}
