#pragma once

#include <QDialog>

class QComboBox;
class QTimeEdit;

// Asks how far to move a clip's recorded times: a camera set to the wrong
// zone, or never set, is hours off; one that drifted, minutes.
class ClockOffsetDialog : public QDialog {
    Q_OBJECT

public:
    ClockOffsetDialog(const QString& clipName, int minutes, QWidget* parent = nullptr);

    // Minutes to add to the camera's clock, negative to go back.
    int minutes() const;
    void setMinutes(int minutes);

private:
    QComboBox* direction = nullptr;
    QTimeEdit* amount = nullptr;
};
