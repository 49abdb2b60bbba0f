// The settings file, read leniently: the tile source and the event threshold.
#include "AppTestSupport.h"
#include "Settings.h"

#include <gtest/gtest.h>

namespace {

TEST(Settings, TheTileSourceAndTheEventThresholdAreReadLenientlyWithTheirDefaults) {
    const QString osm = DefaultTileSource().urlTemplate;
    const struct {
        QByteArray file;  // empty: no file
        QString urlTemplate;
        QString attribution;  // empty: not checked
        double threshold;
    } cases[] = {
        {{}, osm, DefaultTileSource().attributionHtml, 0.5},
        {"[map]\ntiles=opentopomap\n[events]\nthreshold=1.25\n", "https://{s}.tile.opentopomap.org/{z}/{x}/{y}.png", {}, 1.25},
        {"[map]\ntiles=custom\ncustomUrl=http://127.0.0.1:8/{z}/{x}/{y}.png\ncustomAttribution=<b>Me</b> & co\n"
         "[events]\nthreshold=0.1\n",
         "http://127.0.0.1:8/{z}/{x}/{y}.png", "&lt;b&gt;Me&lt;/b&gt; &amp; co", 0.1},
        {"[map]\ntiles=custom\ncustomUrl=https://t.example/{z}/{x}/{y}.png?layers=a,b\n[events]\nthreshold=0.05\n",
         "https://t.example/{z}/{x}/{y}.png?layers=a,b", {}, 0.5},
        {"[map]\ntiles=custom\ncustomUrl=https://t.example/{z}/{x}.png\n[events]\nthreshold=12\n", osm, {}, 0.5},
        {"[map]\ntiles=custom\ncustomUrl=file:///tmp/{z}/{x}/{y}.png\n[events]\nthreshold=strong\n", osm, {}, 0.5},
        {"[map]\ntiles=custom\n", osm, {}, 0.5},
        {"[map]\ntiles=satellite\n", osm, {}, 0.5},
        {QByteArray("\x00\xff[map\ntiles=\x01\n", 13), osm, {}, 0.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        TemporaryHome home;
        if (!c.file.isEmpty()) WriteBytes(Settings::path(), c.file);
        const Settings settings = Settings::load();
        EXPECT_EQ(settings.mapTiles().urlTemplate, c.urlTemplate);
        if (!c.attribution.isEmpty()) { EXPECT_EQ(settings.mapTiles().attributionHtml, c.attribution); }
        EXPECT_EQ(settings.eventThreshold(), c.threshold);
    }
}

}  // namespace
