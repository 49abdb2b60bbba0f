#include "MapBridge.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// Every script and style sheet a page links must be inside the program: the
// pages have to draw without a network.
TEST(MapResources, BothPagesAndEverythingTheyLinkAreEmbedded)
{
    const QRegularExpression link(QStringLiteral(R"re((?:src|href)="([^"]+)")re"));
    for (const QString& name : {QStringLiteral("GoogleMap"), QStringLiteral("BaiduMap")}) {
        const QUrl page = MapPageUrl(name);
        EXPECT_EQ(page.scheme(), "qrc");
        QFile file(QLatin1Char(':') + page.path());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QString html = QString::fromUtf8(file.readAll());

        int local = 0;
        for (const QRegularExpressionMatch& match : link.globalMatch(html)) {
            const QUrl target = page.resolved(QUrl(match.captured(1)));
            if (target.scheme() != "qrc")
                continue; // the attribution's links
            ++local;
            EXPECT_TRUE(QFile::exists(QLatin1Char(':') + target.path())) << target.toString().toStdString();
        }
        EXPECT_GE(local, 4) << name.toStdString();
    }
    // Leaflet's style sheet finds its images beside it.
    for (const char* image : {"layers.png", "layers-2x.png", "marker-icon.png"})
        EXPECT_TRUE(QFile::exists(QStringLiteral(":/map/leaflet/images/") + image)) << image;
}

} // namespace
