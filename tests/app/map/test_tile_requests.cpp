// Tile requests leave named, and tiles seen once come back from the disk
// cache in a later session without asking the host again.
#include "MapProfile.h"
#include "PageHarness.h"
#include "TileServer.h"

#include <QTemporaryDir>
#include <QWebEngineProfile>

#include <gtest/gtest.h>

#include <QDir>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

class TileRequests : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(cacheHome.isValid());
        qputenv("XDG_CACHE_HOME", cacheHome.path().toUtf8());
        ASSERT_NE(server.port(), 0);
    }

    TileSource tiles() const {
        return *CustomTileSource(QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(server.port()),
                                 QStringLiteral("stand-in tiles"));
    }

    // Loads the world page with the stand-in tiles in a fresh map profile,
    // runs `also` in it and waits until it shows all its tiles and `done` holds.
    bool showTiles(const QString& also = QString(), const std::function<bool()>& done = [] { return true; }) {
        const std::unique_ptr<QWebEngineProfile> profile(NewMapProfile(tiles(), nullptr));
        PageHarness harness(profile.get());
        if (!harness.loadAndWaitForScript(MapPageUrl(QStringLiteral("GoogleMap")))) return false;
        harness.call({SetTilesCall(tiles())});
        if (!also.isEmpty()) harness.evaluate(also);
        return harness.waitFor([&] {
            return done() && harness.evaluate(QStringLiteral("document.querySelector('img.leaflet-tile') !== null &&"
                                                             " document.querySelector('img.leaflet-tile:not(.leaflet-tile-loaded)') === null"))
                                 .toBool();
        });
    }

    QTemporaryDir cacheHome;
    TileServer server;
};

// The tile host gets a Referer and a User-Agent naming Kolvar and its version;
// an image from another host (localhost is not 127.0.0.1) gets neither. The
// next session takes the tiles from the disk cache under XDG_CACHE_HOME.
TEST_F(TileRequests, TheTileHostLearnsWhoAsksAndTilesComeFromTheDiskNextSession) {
    const auto elsewhere = [this] {
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
    ASSERT_TRUE(showTiles());
    EXPECT_EQ(server.requests.size(), fetched);
    EXPECT_FALSE(QDir(cacheHome.path()).isEmpty());
}

} // namespace
