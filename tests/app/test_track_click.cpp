// A click on the drawn track, through the real map page, seeks the player.
#include "AppTestSupport.h"
#include "PlayerView.h"
#include "WindowHarness.h"

#include <QJsonArray>
#include <QMediaPlayer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

constexpr int kSeconds = 12;

std::optional<QPoint> PointOfLine(QWebEnginePage* page, double fraction) {
    std::optional<QPoint> at;
    bool answered = false;
    page->runJavaScript(QStringLiteral("(() => { const path = document.querySelector('.leaflet-overlay-pane path');"
                                       " if (!path) return null;"
                                       " const p = path.getPointAtLength(path.getTotalLength() * %1)"
                                       ".matrixTransform(path.getScreenCTM()); return [p.x, p.y]; })()")
                            .arg(fraction),
                        [&](const QVariant& value) {
                            const QVariantList xy = value.toList();
                            if (xy.size() == 2) at = QPoint(qRound(xy[0].toDouble()), qRound(xy[1].toDouble()));
                            answered = true;
                        });
    WaitFor([&] { return answered; });
    return at;
}

TEST(TrackClick, AClickOnTheLineSeeksToWhenTheCarWasThere) {
    WindowHarness harness;
    ASSERT_EQ(harness.makeClip(QStringLiteral("drive"), kSeconds, GPSSubtitles(kSeconds, 0.05)), QString());
    harness.start();
    MainWindowController& window = harness.window();
    ASSERT_TRUE(WaitFor([&] { return window.isJSLoaded(); }));
    harness.addToLibrary({harness.videoPath(QStringLiteral("drive.MOV"))});
    harness.select(0);
    QMediaPlayer* player = window.playerView()->player();
    ASSERT_TRUE(player && WaitFor([&] { return player->duration() > 0; }));

    std::optional<QPoint> at;
    ASSERT_TRUE(WaitFor([&] { return (at = PointOfLine(window.webView()->page(), 0.75)).has_value(); }));
    QWidget* input = window.webView()->focusProxy();
    ASSERT_TRUE(input);
    QTest::mouseMove(input, *at);
    QTest::mouseClick(input, Qt::LeftButton, Qt::NoModifier, *at);
    // Three quarters of the way from the first fix (0 s) to the last.
    const qint64 expected = (kSeconds - 1) * 750;
    EXPECT_TRUE(WaitFor([&] { return std::abs(player->position() - expected) < 700; }))
        << "position " << player->position() << ", expected " << expected;
}

}  // namespace
