// The tile source setting, read leniently, and the window's map page: on a
// profile kept under the XDG cache folder, with the tiles its provider names.
#include "Settings.h"
#include "WindowHarness.h"

#include <QDir>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

void WriteSettings(const QByteArray& text) {
    QDir().mkpath(QFileInfo(Settings::path()).path());
    WriteBytes(Settings::path(), text);
}

TEST(Settings, TheTileSourceIsReadLenientlyAndFallsBackToOpenStreetMap) {
    const QString osm = DefaultTileSource().urlTemplate;
    const struct {
        QByteArray file;  // empty: no file
        QString urlTemplate;
        QString attribution;
    } cases[] = {
        {{}, osm, DefaultTileSource().attributionHtml},
        {"[map]\ntiles=opentopomap\n", QStringLiteral("https://{s}.tile.opentopomap.org/{z}/{x}/{y}.png"), {}},
        {"[map]\ntiles=custom\ncustomUrl=http://127.0.0.1:8/{z}/{x}/{y}.png\ncustomAttribution=<b>Me</b> & co\n",
         QStringLiteral("http://127.0.0.1:8/{z}/{x}/{y}.png"), QStringLiteral("&lt;b&gt;Me&lt;/b&gt; &amp; co")},
        {"[map]\ntiles=custom\ncustomUrl=https://t.example/{z}/{x}/{y}.png?layers=a,b\n",
         QStringLiteral("https://t.example/{z}/{x}/{y}.png?layers=a,b"), {}},
        {"[map]\ntiles=custom\ncustomUrl=https://t.example/{z}/{x}.png\n", osm, {}},
        {"[map]\ntiles=custom\ncustomUrl=file:///tmp/{z}/{x}/{y}.png\n", osm, {}},
        {"[map]\ntiles=custom\n", osm, {}},
        {"[map]\ntiles=satellite\n", osm, {}},
        {QByteArray("\x00\xff[map\ntiles=\x01\n", 13), osm, {}},
    };
    for (const auto& c : cases) {
        TemporaryHome home;
        if (!c.file.isEmpty()) WriteSettings(c.file);
        const TileSource tiles = Settings::load().mapTiles();
        EXPECT_EQ(tiles.urlTemplate, c.urlTemplate) << c.file.toStdString();
        if (!c.attribution.isEmpty()) {
            EXPECT_EQ(tiles.attributionHtml, c.attribution);
        }
    }
}

TEST(Settings, TheEventThresholdIsReadLenientlyWithinItsRange) {
    const struct {
        QByteArray file;  // empty: no file
        double threshold;
    } cases[] = {
        {{}, 0.5}, {"[events]\nthreshold=1.25\n", 1.25}, {"[events]\nthreshold=0.1\n", 0.1},
        {"[events]\nthreshold=0.05\n", 0.5}, {"[events]\nthreshold=12\n", 0.5}, {"[events]\nthreshold=strong\n", 0.5},
    };
    for (const auto& c : cases) {
        TemporaryHome home;
        if (!c.file.isEmpty()) WriteSettings(c.file);
        EXPECT_EQ(Settings::load().eventThreshold(), c.threshold) << c.file.toStdString();
    }
}

// The tile template the window's page shows, once it shows one.
QString PageTiles(WindowHarness& harness) {
    // Shared with the callback, which may answer after a wait gave up.
    const auto tiles = std::make_shared<std::optional<QString>>();
    WaitFor([&] {
        tiles->reset();
        harness.window().webView()->page()->runJavaScript(
            QStringLiteral("window.kolvarMapState ? window.kolvarMapState().tiles : null"),
            [tiles](const QVariant& value) { *tiles = value.toString(); });
        return WaitFor([&] { return tiles->has_value(); }, 2000) && !tiles->value().isEmpty();
    });
    return tiles->value_or(QString());
}

TEST(MapPage, TheWindowsPageKeepsItsCacheAndShowsTheTilesOfItsProvider) {
    const QString custom = QStringLiteral("http://127.0.0.1:9/{z}/{x}/{y}.png");
    const std::pair<QLocale, QString> cases[] = {
        {QLocale(QLocale::German, QLocale::Germany), custom},
        {QLocale(QLocale::Chinese, QLocale::China), BaiduMapProvider().ownTiles->urlTemplate},
    };
    for (const auto& [locale, expected] : cases) {
        WindowHarness harness(locale);
        WriteSettings("[map]\ntiles=custom\ncustomUrl=" + custom.toUtf8() + "\n");
        harness.start();
        EXPECT_EQ(PageTiles(harness), expected) << locale.name().toStdString();
        const QWebEngineProfile* profile = harness.window().webView()->page()->profile();
        EXPECT_FALSE(profile->isOffTheRecord());
        EXPECT_TRUE(profile->cachePath().startsWith(qEnvironmentVariable("XDG_CACHE_HOME") + u'/'))
            << profile->cachePath().toStdString();
    }
}

}  // namespace
