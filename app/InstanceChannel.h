#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>

// One window per library: a second start hands its videos to the window
// already running on the same data directory, and ends.

// The local socket name for a data directory.
QString InstanceServerName(const QString& dataDirectory);

// True when a running window has taken the videos.
bool HandToRunningWindow(const QString& serverName, const QStringList& videos);

// The running window's end: receives the videos of later starts.
class InstanceServer : public QObject {
    Q_OBJECT

public:
    explicit InstanceServer(const QString& serverName, QObject* parent = nullptr);

signals:
    void videosReceived(const QStringList& videos);

private:
    void receive();

    QLocalServer server;
};
