// Each line of the player's key table, pressed on the window wherever the
// focus is in it, does what the line says.
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
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTreeWidget>
#include <QTreeWidget>
#include <QWebEngineView>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>

namespace {

constexpr int kSeconds = 40;
constexpr qint64 kFrameMs = 100;  // the clip's 10 frames a second
constexpr qint64 kToleranceMs = 40;

// One fix a second, at rest but for a hard brake at 10 s and a pothole at 25 s.
QByteArray SubtitlesWithJolts() {
    QByteArray srt;
    for (int i = 0; i < kSeconds; ++i) {
        const char* gsensor = i == 10 ? "-85,4,101" : i == 25 ? "3,-2,190" : "2,-1,99";
        srt += QStringLiteral("%1\n00:00:%2,000 --> 00:00:%3,000\nA,150615,1230%4,%5,N,11354.3210,E,35.2,%6\n\n")
                   .arg(i + 1)
                   .arg(i, 2, 10, QLatin1Char('0'))
                   .arg(i + 1, 2, 10, QLatin1Char('0'))
                   .arg(10 + i, 2, 10, QLatin1Char('0'))
                   .arg(2234.5678 + 0.01 * i, 0, 'f', 4)
                   .arg(QLatin1String(gsensor))
                   .toUtf8();
    }
    return srt;
}

TEST(PlayerKeys, EachBindingWorksWhereverTheFocusIsInTheWindow) {
    WindowHarness harness;
    const QString srt = harness.writeVideo(QStringLiteral("gps.srt"), SubtitlesWithJolts().toStdString());
    const QString clip = QFileInfo(srt).dir().filePath(QStringLiteral("drive.MOV"));
    const QString made = MakeClip(clip, kSeconds, srt);
    if (made == QStringLiteral("no ffmpeg")) GTEST_SKIP() << "ffmpeg is not installed";
    ASSERT_TRUE(made.isEmpty()) << made.toStdString();

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
