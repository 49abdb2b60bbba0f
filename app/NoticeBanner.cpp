#include "NoticeBanner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

NoticeBanner::NoticeBanner(QWidget* parent) : QFrame(parent), text(new QLabel(this)) {
    setObjectName(QStringLiteral("noticeBanner"));
    setFrameShape(QFrame::StyledPanel);
    setStyleSheet(QStringLiteral("#noticeBanner { background: #fff4ce; color: #3b2f00; }"));
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* close = new QToolButton(this);
    close->setText(QStringLiteral("\u2715"));
    close->setToolTip(tr("Close"));
    close->setAutoRaise(true);
    connect(close, &QToolButton::clicked, this, &NoticeBanner::dismiss);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 2, 4);
    layout->addWidget(text, 1);
    layout->addWidget(close, 0, Qt::AlignTop);
    hide();
}

void NoticeBanner::addNotice(const QString& notice) {
    if (shown.contains(notice)) return;
    shown << notice;
    text->setText(shown.join(QStringLiteral("\n\n")));
    show();
}

void NoticeBanner::dismiss() {
    shown.clear();
    text->clear();
    hide();
}
