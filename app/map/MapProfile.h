#pragma once

#include "TileSource.h"

#include <QByteArray>
#include <QWebEngineUrlRequestInterceptor>

class QWebEngineProfile;

// "Kolvar/<version> (+<homepage>)": how the program names itself to tile services.
QByteArray KolvarUserAgent();
// The homepage, as http for a plain-http tile: Chromium cancels a request
// whose https Referer would go out unencrypted.
QByteArray KolvarReferer(const QUrl& tile);

// Tile services such as OpenStreetMap refuse anonymous requests, and a page
// from qrc: sends no Referer; tile requests get both headers. Every other
// request leaves as the page made it.
class TileRequestInterceptor : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    TileRequestInterceptor(TileSource tiles, QObject* parent = nullptr);
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

private:
    TileSource tiles;
};

// The map pages' web profile: a disk cache and storage under the XDG cache
// folder, so tiles seen once show again without a network, and the tile
// requests named. Pages made with it must be deleted before it.
QWebEngineProfile* NewMapProfile(const TileSource& tiles, QObject* parent);
