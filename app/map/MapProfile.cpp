#include "MapProfile.h"

#include <QDir>
#include <QStandardPaths>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInfo>

#include <utility>

QByteArray KolvarUserAgent() { return "Kolvar/" KOLVAR_VERSION " (+" KOLVAR_HOMEPAGE ")"; }

QByteArray KolvarReferer(const QUrl& tile) {
    QUrl home(QStringLiteral(KOLVAR_HOMEPAGE));
    if (tile.scheme() == QLatin1String("http")) home.setScheme(QStringLiteral("http"));
    return home.toEncoded();
}

TileRequestInterceptor::TileRequestInterceptor(TileSource tiles, QObject* parent)
    : QWebEngineUrlRequestInterceptor(parent), tiles(std::move(tiles)) {}

void TileRequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info) {
    if (info.resourceType() != QWebEngineUrlRequestInfo::ResourceTypeImage) return;
    if (!IsTileRequest(tiles, info.requestUrl())) return;
    info.setHttpHeader("Referer", KolvarReferer(info.requestUrl()));
    info.setHttpHeader("User-Agent", KolvarUserAgent());
}

QWebEngineProfile* NewMapProfile(const TileSource& tiles, QObject* parent) {
    auto* profile = new QWebEngineProfile(QStringLiteral("map"), parent);
    const QDir root(QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).filePath(QStringLiteral("web")));
    profile->setCachePath(root.filePath(QStringLiteral("cache")));
    profile->setPersistentStoragePath(root.filePath(QStringLiteral("storage")));
    profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    profile->setUrlRequestInterceptor(new TileRequestInterceptor(tiles, profile));
    return profile;
}
