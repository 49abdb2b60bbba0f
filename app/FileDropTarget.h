#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

#include <functional>

class QWidget;

// Takes drops of files and folders on the widgets it watches and hands their
// URLs on. It stands in front of each widget's own handling, so a web view
// never navigates to a dropped file.
class FileDropTarget : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void(const QList<QUrl>&)>;
    FileDropTarget(Handler handler, QObject* parent = nullptr);

    void watch(QWidget* widget);
    // Watches the widget and every child widget it gets later too: a web
    // view's drops land on an inner widget that it makes for each page.
    void watchWithChildren(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler handler;
    QList<QObject*> parents;  // whose new children are watched
};
