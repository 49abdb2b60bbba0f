#pragma once

#include <QDialog>

class QTreeWidget;

// The player's keys and what each does, listed from the table that binds them.
class ShortcutsDialog : public QDialog {
    Q_OBJECT

public:
    explicit ShortcutsDialog(QWidget* parent = nullptr);

    QTreeWidget* list() const { return keys; }

private:
    QTreeWidget* keys = nullptr;
};
