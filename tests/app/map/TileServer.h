#pragma once

#include <QByteArray>
#include <QMap>
#include <QTcpServer>
#include <QVector>

// Stands in for a tile host on 127.0.0.1: answers every GET with a small PNG
// that may be cached for a day, and keeps each request's path and headers.
class TileServer : public QObject {
public:
    TileServer();

    quint16 port() const { return server.serverPort(); }

    struct Request {
        QByteArray path;
        QMap<QByteArray, QByteArray> headers;  // names in lower case
    };
    QVector<Request> requests;

private:
    void answer(QTcpSocket* socket);

    QTcpServer server;
    QByteArray png;
};
