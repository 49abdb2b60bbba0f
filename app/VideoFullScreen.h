#pragma once

#include <QList>
#include <QMargins>
#include <QObject>
#include <QPointer>

class QMainWindow;
class QWidget;

// Full-screen video: the window fills the screen and shows only the player,
// the rest hidden until it leaves. Being the same window, it keeps the
// window's shortcuts, which a window of its own would not have.
class VideoFullScreen : public QObject {
    Q_OBJECT

public:
    // others: what the video hides while on; the menu bar is hidden too.
    VideoFullScreen(QMainWindow* window, QList<QWidget*> others);

    bool isOn() const { return on; }
    void toggle();
    void leave();

private:
    void enter();

    QMainWindow* window;
    QList<QPointer<QWidget>> others;
    QList<QPointer<QWidget>> hidden;
    Qt::WindowStates stateBefore;
    QMargins marginsBefore;
    bool on = false;
};
