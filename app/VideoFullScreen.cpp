#include "VideoFullScreen.h"

#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>

VideoFullScreen::VideoFullScreen(QMainWindow* window, QList<QWidget*> widgets) : QObject(window), window(window) {
    widgets << window->menuBar();
    for (QWidget* widget : widgets) others << widget;
}

void VideoFullScreen::toggle() {
    if (on) {
        leave();
    } else {
        enter();
    }
}

void VideoFullScreen::enter() {
    on = true;
    hidden.clear();
    for (const QPointer<QWidget>& widget : others) {
        if (widget && !widget->isHidden()) {
            hidden << widget;
            widget->hide();
        }
    }
    if (QLayout* layout = window->centralWidget()->layout()) {
        marginsBefore = layout->contentsMargins();
        layout->setContentsMargins({});
    }
    stateBefore = window->windowState();
    window->setWindowState(stateBefore | Qt::WindowFullScreen);
}

void VideoFullScreen::leave() {
    if (!on) return;
    on = false;
    window->setWindowState(stateBefore & ~Qt::WindowFullScreen);
    if (QLayout* layout = window->centralWidget()->layout()) layout->setContentsMargins(marginsBefore);
    for (const QPointer<QWidget>& widget : std::as_const(hidden)) {
        if (widget) widget->show();
    }
    hidden.clear();
}
