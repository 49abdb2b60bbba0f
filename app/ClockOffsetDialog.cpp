#include "ClockOffsetDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTime>
#include <QTimeEdit>

#include <algorithm>
#include <cstdlib>

ClockOffsetDialog::ClockOffsetDialog(const QString& clipName, int minutes, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Camera clock offset"));
    auto* explanation = new QLabel(
        tr("Move the recorded times of %1 when the camera's clock was wrong, e.g. set to another time zone. "
           "The times shown, the stills and the exported tracks use the corrected clock.")
            .arg(clipName));
    explanation->setWordWrap(true);

    direction = new QComboBox;
    direction->addItem(tr("Later by"), 1);
    direction->addItem(tr("Earlier by"), -1);
    amount = new QTimeEdit;
    amount->setDisplayFormat(QStringLiteral("HH:mm"));
    amount->setTimeRange(QTime(0, 0), QTime(23, 59));
    amount->setToolTip(tr("Hours and minutes"));
    auto* row = new QHBoxLayout;
    row->addWidget(direction);
    row->addWidget(amount, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Reset);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Reset), &QPushButton::clicked, this, [this] { setMinutes(0); });

    auto* form = new QFormLayout(this);
    form->addRow(explanation);
    form->addRow(tr("&Times:"), row);
    form->addRow(buttons);
    setMinutes(minutes);
}

int ClockOffsetDialog::minutes() const {
    const QTime time = amount->time();
    return direction->currentData().toInt() * (time.hour() * 60 + time.minute());
}

void ClockOffsetDialog::setMinutes(int minutes) {
    direction->setCurrentIndex(minutes < 0 ? 1 : 0);
    const int size = std::min(std::abs(minutes), 23 * 60 + 59);
    amount->setTime(QTime(size / 60, size % 60));
}
