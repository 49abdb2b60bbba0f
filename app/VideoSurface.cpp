#include "VideoSurface.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVideoSink>

VideoSurface::VideoSurface(QWidget* parent) : QWidget(parent), sink(new QVideoSink(this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(sink, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& next) {
        frame = next;
        update();
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
