// The settings file, read leniently: the tile source and the event threshold.
#include "AppTestSupport.h"
#include "Settings.h"


#include <gtest/gtest.h>


namespace {

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
        if (!c.file.isEmpty()) WriteBytes(Settings::path(), c.file);
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
        if (!c.file.isEmpty()) WriteBytes(Settings::path(), c.file);
        EXPECT_EQ(Settings::load().eventThreshold(), c.threshold) << c.file.toStdString();
    }
}

}  // namespace
