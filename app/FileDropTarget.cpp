#include "FileDropTarget.h"

#include <QChildEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

FileDropTarget::FileDropTarget(Handler handler, QObject* parent) : QObject(parent), handler(std::move(handler)) {}

void FileDropTarget::watch(QWidget* widget) {
    widget->setAcceptDrops(true);
    widget->installEventFilter(this);
}

void FileDropTarget::watchWithChildren(QWidget* widget) {
    parents << widget;
    connect(widget, &QObject::destroyed, this, [this, widget] { parents.removeAll(widget); });
    watch(widget);
    for (QWidget* child : widget->findChildren<QWidget*>()) watch(child);
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ChildAdded: {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (parents.contains(watched) && child->isWidgetType()) watch(static_cast<QWidget*>(child));
        return false;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (!drag->mimeData()->hasUrls()) return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasUrls()) return false;
        drop->acceptProposedAction();
        handler(drop->mimeData()->urls());
        return true;
    }
    default:
        return false;
    }
}
