#include "InstanceChannel.h"

#include "KolvarLog.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QLocalSocket>

namespace {

constexpr int kConnectMs = 1000;
// The running window answers once it has added the videos to its library.
constexpr int kAnswerMs = 30000;
const char kTaken = 1;

}  // namespace

QString InstanceServerName(const QString& dataDirectory) {
    const QByteArray digest = QCryptographicHash::hash(dataDirectory.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("kolvar-%1").arg(QString::fromLatin1(digest.left(16)));
}

bool HandToRunningWindow(const QString& serverName, const QStringList& videos) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(kConnectMs)) return false;
    QDataStream out(&socket);
    out << videos;
    if (!socket.waitForBytesWritten(kAnswerMs) && socket.bytesToWrite() > 0) return false;
    return socket.waitForReadyRead(kAnswerMs) && socket.read(1) == QByteArray(1, kTaken);
}

InstanceServer::InstanceServer(const QString& serverName, QObject* parent) : QObject(parent) {
    // Only this user may hand videos over.
    server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server.listen(serverName)) {
        // A socket left by a window that crashed; no window answered on it.
        QLocalServer::removeServer(serverName);
        if (!server.listen(serverName)) {
            qCWarning(kolvarLog, "other starts cannot hand their videos to this window: %s",
                      qUtf8Printable(server.errorString()));
        }
    }
    connect(&server, &QLocalServer::newConnection, this, &InstanceServer::receive);
}

void InstanceServer::receive() {
    while (QLocalSocket* socket = server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            QStringList videos;
            in >> videos;
            if (!in.commitTransaction()) return;  // the rest is still on its way
            emit videosReceived(videos);
            socket->write(&kTaken, 1);
            socket->disconnectFromServer();
        });
    }
}
