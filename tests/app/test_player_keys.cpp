// Each line of the player's key table, pressed on the window wherever the
// focus is in it, does what the line says; a click on the slider's groove or
// on the drawn track, through the real map page, seeks.
#include "AppTestSupport.h"
#include "PlayerShortcuts.h"
#include "PlayerView.h"
#include "SeekSlider.h"
#include "SettingsDialog.h"
#include "ShortcutsDialog.h"
#include "VideoSurface.h"
#include "VolumeControl.h"
#include "WindowHarness.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QJsonDocument>
#include <QMediaPlayer>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <set>

namespace {

constexpr int kSeconds = 40;
constexpr qint64 kFrameMs = 100;  // the clip's 10 frames a second
constexpr qint64 kToleranceMs = 40;

// Where the drawn line is at the fraction of its length, in the view.
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

// A click at the fraction of the groove, away from the handle.
void ClickAlongTheGroove(QSlider* slider, double fraction) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = Qt::Horizontal;
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    const QRect groove = slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider);
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(groove.left() + qRound(groove.width() * fraction), groove.center().y()));
}

TEST(PlayerKeys, EachBindingWorksWhereverTheFocusIsInTheWindow) {
    WindowHarness harness;
    // At rest but for a hard brake at 10 s and a pothole at 25 s.
    const auto jolts = [](int i) {
        return QLatin1String(i == 10 ? "-85,4,101" : i == 25 ? "3,-2,190" : "2,-1,99");
    };
    const QString srt = harness.writeVideo(QStringLiteral("drive.srt"), GPSSubtitles(kSeconds, 0.01, 0, jolts).toStdString());
    const QString clip = harness.videoPath(QStringLiteral("drive.MOV"));
    ASSERT_EQ(MakeClip(clip, kSeconds, srt), QString());
    harness.start();
    MainWindowController& window = harness.window();
    ASSERT_TRUE(WaitFor([&] { return window.isJSLoaded(); }));
    harness.addToLibrary({clip});
    harness.select(0);
    PlayerView* view = window.playerView();
    QMediaPlayer* player = view->player();
    auto* slider = view->findChild<SeekSlider*>(QStringLiteral("seekSlider"));
    ASSERT_TRUE(player && slider && WaitFor([&] { return player->duration() > 0; }));
    ASSERT_EQ(slider->marks(), (std::vector<int>{10000, 25000}));
    const auto at = [&](qint64 ms) {
        return [&, ms] {
            return std::abs(player->position() - ms) <= kToleranceMs && std::abs(slider->value() - ms) <= kToleranceMs;
        };
    };

    // Two thirds along the line is the fix of 26 s, the nearest the click.
    std::optional<QPoint> onLine;
    ASSERT_TRUE(WaitFor([&] { return (onLine = PointOfLine(window.webView()->page(), 2.0 / 3)).has_value(); }));
    QTest::mouseMove(window.webView()->focusProxy(), *onLine);
    QTest::mouseClick(window.webView()->focusProxy(), Qt::LeftButton, Qt::NoModifier, *onLine);
    EXPECT_TRUE(WaitFor(at(26000))) << "position " << player->position();

    // Paused, a seek moves the marker at once rather than at the next tick:
    // the calls sent by the time the new position shows already put it at 20 s.
    harness.useRecordingPage();
    harness.takeRecorded();
    bool asked = false;
    std::optional<QString> atSeek;
    const auto shown = QObject::connect(view, &PlayerView::pausedPositionChanged, [&] {
        if (asked || std::abs(player->position() - 20000) > kToleranceMs) return;
        asked = true;
        window.webView()->page()->runJavaScript(QStringLiteral("takeRecorded()"), [&](const QVariant& json) {
            atSeek = Describe(LastBatch(QJsonDocument::fromJson(json.toString().toUtf8()).array()));
        });
    });
    view->seek(20000);
    EXPECT_TRUE(WaitFor([&] { return atSeek.has_value(); }));
    QObject::disconnect(shown);
    // 22 deg 34.7678 min at 20 s; 22 deg 34.5678 min before the seek.
    EXPECT_TRUE(atSeek.value_or(QString()).startsWith(QStringLiteral("moveMyPosition(s:22.5794"))) << atSeek.value_or(QString()).toStdString();

    std::set<int> pressed;
    const auto press = [&](QKeyCombination key) {
        return [&, key] {
            pressed.insert(key.toCombined());
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        };
    };
    QWidget* table = window.tableViewVideos();
    QWidget* map = window.webView()->focusProxy();
    QWidget* video = slider;
    const struct {
        const char* name;
        QWidget* focus;
        qint64 from;  // -1: where the line before left it
        std::function<void()> act;
        std::function<bool()> done;
    } cases[] = {
        {"Right", table, 6000, press(Qt::Key_Right), at(11000)},
        {"Left", map, 16000, press(Qt::Key_Left), at(11000)},
        {"Shift+Right", video, 2000, press(Qt::SHIFT | Qt::Key_Right), at(32000)},
        {"Shift+Left", table, 35000, press(Qt::SHIFT | Qt::Key_Left), at(5000)},
        {".", map, 6000, press(Qt::Key_Period), at(6000 + kFrameMs)},
        {",", table, 6000, press(Qt::Key_Comma), at(6000 - kFrameMs)},
        {"End", map, 20000, press(Qt::Key_End), [&] { return player->position() >= player->duration() - 200; }},
        {"Home", table, -1, press(Qt::Key_Home), at(0)},
        {"N", map, 0, press(Qt::Key_N), at(10000)},
        {"N again", table, -1, press(Qt::Key_N), at(25000)},
        {"P", map, 30000, press(Qt::Key_P), at(25000)},
        {"]", table, -1, press(Qt::Key_BracketRight), [&] { return player->playbackRate() == 1.5; }},
        {"[ [", map, -1, [&] { press(Qt::Key_BracketLeft)(), press(Qt::Key_BracketLeft)(); },
         [&] { return player->playbackRate() == 0.5; }},
        {"M", table, -1, press(Qt::Key_M), [&] { return view->volumeControl()->isMuted(); }},
        // A clip alone has no other camera to swap in (a drive's swap is the drive test's).
        {"S", map, -1, press(Qt::Key_S), [&] { return !view->channelsSwapped() && view->player() == player; }},
        {"F", map, -1, press(Qt::Key_F), [&] { return window.isFullScreen() && !table->isVisible(); }},
        {"Esc", video, -1, press(Qt::Key_Escape), [&] { return !window.isFullScreen() && table->isVisible(); }},
        {"click on the groove", video, 0, [&] { ClickAlongTheGroove(slider, 0.75); },
         [&] { return std::abs(player->position() - kSeconds * 750) < kSeconds * 100; }},
        {"double-click", video, -1, [&] { QTest::mouseDClick(view->videoSurface(), Qt::LeftButton); },
         [&] { return window.isFullScreen(); }},
        {"F again", video, -1, press(Qt::Key_F), [&] { return !window.isFullScreen(); }},
        {"F1", table, -1, press(Qt::Key_F1),
         [&] {
             auto* help = window.findChild<ShortcutsDialog*>();
             return help && help->isVisible() &&
                    help->list()->topLevelItemCount() == static_cast<int>(PlayerShortcuts().size());
         }},
        {"?", map, -1, press(Qt::Key_Question), [&] { return window.findChild<ShortcutsDialog*>()->isVisible(); }},
        {"Space", table, -1, press(Qt::Key_Space),
         [&] { return player->playbackState() == QMediaPlayer::PlayingState; }},
    };
    for (const auto& c : cases) {
        if (auto* help = window.findChild<ShortcutsDialog*>()) help->hide();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        if (c.from >= 0) {
            view->seek(c.from);
            ASSERT_TRUE(WaitFor(at(c.from))) << c.name;
        }
        c.focus->setFocus();
        ASSERT_TRUE(WaitFor([&] { return QApplication::focusWidget() == c.focus; })) << c.name;
        c.act();
        EXPECT_TRUE(WaitFor(c.done, 5000)) << c.name << ": position " << player->position() << ", rate "
                                           << player->playbackRate();
    }
    // A stricter threshold, chosen in Preferences and saved, leaves the pothole (0.91 g) but not the brake (0.87 g).
    window.showPreferences();
    auto* preferences = window.findChild<SettingsDialog*>();
    ASSERT_TRUE(preferences);
    preferences->eventThresholdBox()->setValue(0.9);
    preferences->accept();
    EXPECT_EQ(slider->marks(), std::vector<int>{25000});
    EXPECT_EQ(Settings::load().eventThreshold(), 0.9);

    // A binding added to the table comes with its line here.
    for (const PlayerShortcut& shortcut : PlayerShortcuts()) {
        for (const QKeySequence& key : shortcut.keys) EXPECT_TRUE(pressed.count(key[0].toCombined())) << shortcut.description;
    }
}

}  // namespace
