#pragma once

#include <QFrame>
#include <QString>
#include <QStringList>

class QLabel;

// A band of notices above the library: what the user should know but need
// not answer (a library that cannot be saved, files that were not added).
// It stays until closed and never blocks the window.
class NoticeBanner : public QFrame {
    Q_OBJECT

public:
    explicit NoticeBanner(QWidget* parent = nullptr);

    // Shows the notice under the others; one already shown is not repeated.
    void addNotice(const QString& notice);
    const QStringList& notices() const { return shown; }

private:
    void dismiss();

    QLabel* text = nullptr;
    QStringList shown;
};
