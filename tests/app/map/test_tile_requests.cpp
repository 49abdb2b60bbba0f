#include "MapProfile.h"
#include "PageHarness.h"
#include "TileServer.h"

#include <QDir>
#include <QTemporaryDir>
#include <QWebEngineProfile>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

// The tile host gets a Referer and a User-Agent naming Kolvar and its version;
// an image from another host (localhost is not 127.0.0.1) gets neither. The
// next session takes the tiles from the disk cache under XDG_CACHE_HOME.
TEST(TileRequests, TheTileHostLearnsWhoAsksAndTilesComeFromTheDiskNextSession) {
    const QTemporaryDir cacheHome;
    ASSERT_TRUE(cacheHome.isValid());
    qputenv("XDG_CACHE_HOME", cacheHome.path().toUtf8());
    TileServer server;
    ASSERT_NE(server.port(), 0);
    const TileSource tiles = *CustomTileSource(QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(server.port()),
                                               QStringLiteral("stand-in tiles"));
    // Loads the world page with the stand-in tiles in a fresh map profile, runs `also` in it and
    // waits until it shows all its tiles and `done` holds.
    const auto showTiles = [&](const QString& also, const std::function<bool()>& done) {
        const std::unique_ptr<QWebEngineProfile> profile(NewMapProfile(tiles, nullptr));
        PageHarness harness(profile.get());
        if (!harness.loadAndWaitForScript(MapPageUrl(QStringLiteral("GoogleMap")))) return false;
        harness.call({SetTilesCall(tiles)});
        harness.evaluate(also);
        return harness.waitFor([&] {
            return done() && harness.evaluate(QStringLiteral("document.querySelector('img.leaflet-tile') !== null &&"
                                                             " document.querySelector('img.leaflet-tile:not(.leaflet-tile-loaded)') === null"))
                                 .toBool();
        });
    };
    const auto elsewhere = [&] {
        return std::any_of(server.requests.begin(), server.requests.end(),
                           [](const TileServer::Request& request) { return request.path == "/elsewhere.png"; });
    };
    ASSERT_TRUE(showTiles(QStringLiteral("new Image().src = 'http://localhost:%1/elsewhere.png';").arg(server.port()),
                          elsewhere));
    const QByteArray agent = "Kolvar/" KOLVAR_VERSION " ";
    for (const TileServer::Request& request : server.requests) {
        const bool tile = request.path != "/elsewhere.png";
        EXPECT_EQ(request.headers.value("user-agent").startsWith(agent), tile) << request.path.toStdString();
        EXPECT_EQ(request.headers.value("referer").startsWith("http://"), tile) << request.path.toStdString();
    }
    const QByteArray secure = KolvarReferer(QUrl(QStringLiteral("https://tile.openstreetmap.org/")));
    EXPECT_TRUE(secure.startsWith("https://"));
    EXPECT_EQ(KolvarReferer(QUrl(QStringLiteral("http://127.0.0.1/"))), "http://" + secure.mid(8));

    const qsizetype fetched = server.requests.size();
    ASSERT_TRUE(showTiles(QStringLiteral("true"), [] { return true; }));
    EXPECT_EQ(server.requests.size(), fetched);
    EXPECT_FALSE(QDir(cacheHome.path()).isEmpty());
}

} // namespace
