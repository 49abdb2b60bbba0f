#include "TileServer.h"

#include <QBuffer>
#include <QImage>
#include <QTcpSocket>

TileServer::TileServer() {
    QImage tile(256, 256, QImage::Format_RGB32);
    tile.fill(QColor(0xc8, 0xe6, 0xc9));
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    tile.save(&buffer, "PNG");

    server.listen(QHostAddress::LocalHost);
    connect(&server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

void TileServer::answer(QTcpSocket* socket) {
    // Enough for the one small request each connection carries.
    QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    socket->setProperty("head", head);
    if (!head.contains("\r\n\r\n")) return;

    Request request{head.split(' ').value(1), {}};
    for (const QByteArray& line : head.left(head.indexOf("\r\n\r\n")).split('\n').mid(1)) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0) request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
    }
    requests.append(request);

    socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nCache-Control: public, max-age=86400\r\n"
                  "Connection: close\r\nContent-Length: " +
                  QByteArray::number(png.size()) + "\r\n\r\n" + png);
    socket->disconnectFromHost();
}
