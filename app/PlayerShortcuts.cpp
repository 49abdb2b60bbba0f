#include "PlayerShortcuts.h"

#include "PlayerView.h"
#include "VideoFullScreen.h"
#include "VolumeControl.h"

#include <QAction>
#include <QCoreApplication>
#include <QStringList>
#include <QWidget>

namespace {

const char* const kContext = "PlayerShortcuts";
constexpr qint64 kStepMs = 5000;
constexpr qint64 kLongStepMs = 30000;

}  // namespace

const std::vector<PlayerShortcut>& PlayerShortcuts() {
    static const std::vector<PlayerShortcut> table = {
        {{Qt::Key_Space}, QT_TRANSLATE_NOOP("PlayerShortcuts", "Play or pause"),
         [](const ShortcutTargets& t) { t.player->togglePlayback(); }},
        {{Qt::Key_Left}, QT_TRANSLATE_NOOP("PlayerShortcuts", "Back 5 seconds"),
         [](const ShortcutTargets& t) { t.player->seekBy(-kStepMs); }},
        {{Qt::Key_Right}, QT_TRANSLATE_NOOP("PlayerShortcuts", "Forward 5 seconds"),
         [](const ShortcutTargets& t) { t.player->seekBy(kStepMs); }},
        {{Qt::SHIFT | Qt::Key_Left}, QT_TRANSLATE_NOOP("PlayerShortcuts", "Back 30 seconds"),
         [](const ShortcutTargets& t) { t.player->seekBy(-kLongStepMs); }},
        {{Qt::SHIFT | Qt::Key_Right}, QT_TRANSLATE_NOOP("PlayerShortcuts", "Forward 30 seconds"),
         [](const ShortcutTargets& t) { t.player->seekBy(kLongStepMs); }},
        {{Qt::Key_Comma}, QT_TRANSLATE_NOOP("PlayerShortcuts", "Pause and go back one frame"),
         [](const ShortcutTargets& t) { t.player->stepFrames(-1); }},
        {{Qt::Key_Period}, QT_TRANSLATE_NOOP("PlayerShortcuts", "Pause and go forward one frame"),
         [](const ShortcutTargets& t) { t.player->stepFrames(1); }},
        {{Qt::Key_BracketLeft}, QT_TRANSLATE_NOOP("PlayerShortcuts", "Slower (down to 0.25×)"),
         [](const ShortcutTargets& t) { t.player->changeRate(-1); }},
        {{Qt::Key_BracketRight}, QT_TRANSLATE_NOOP("PlayerShortcuts", "Faster (up to 4×)"),
         [](const ShortcutTargets& t) { t.player->changeRate(1); }},
        {{Qt::Key_Home}, QT_TRANSLATE_NOOP("PlayerShortcuts", "To the start"),
         [](const ShortcutTargets& t) { t.player->seek(0); }},
        {{Qt::Key_End}, QT_TRANSLATE_NOOP("PlayerShortcuts", "To the end"),
         [](const ShortcutTargets& t) { t.player->seekToEnd(); }},
        {{Qt::Key_N}, QT_TRANSLATE_NOOP("PlayerShortcuts", "Next event (a jolt marked on the seek bar)"),
         [](const ShortcutTargets& t) { t.player->jumpToEvent(1); }},
        {{Qt::Key_P}, QT_TRANSLATE_NOOP("PlayerShortcuts", "Previous event"),
         [](const ShortcutTargets& t) { t.player->jumpToEvent(-1); }},
        {{Qt::Key_S}, QT_TRANSLATE_NOOP("PlayerShortcuts", "Swap the front and the other camera of a drive"),
         [](const ShortcutTargets& t) { t.player->swapChannels(); }},
        {{Qt::Key_M}, QT_TRANSLATE_NOOP("PlayerShortcuts", "Mute or unmute"),
         [](const ShortcutTargets& t) { t.player->volumeControl()->toggleMute(); }},
        {{Qt::Key_F}, QT_TRANSLATE_NOOP("PlayerShortcuts", "Full-screen video on or off (or double-click the video)"),
         [](const ShortcutTargets& t) { t.fullScreen->toggle(); }},
        {{Qt::Key_Escape}, QT_TRANSLATE_NOOP("PlayerShortcuts", "Leave full screen"),
         [](const ShortcutTargets& t) { t.fullScreen->leave(); }},
        {{Qt::Key_F1, Qt::Key_Question}, QT_TRANSLATE_NOOP("PlayerShortcuts", "This list of keys"),
         [](const ShortcutTargets& t) { t.showShortcuts(); }},
    };
    return table;
}

QString ShortcutDescription(const PlayerShortcut& shortcut) {
    return QCoreApplication::translate(kContext, shortcut.description);
}

QString ShortcutKeysText(const PlayerShortcut& shortcut) {
    QStringList keys;
    for (const QKeySequence& key : shortcut.keys) keys << key.toString(QKeySequence::NativeText);
    return keys.join(QCoreApplication::translate(kContext, ", "));
}

void InstallPlayerShortcuts(QWidget* window, const ShortcutTargets& targets) {
    for (const PlayerShortcut& shortcut : PlayerShortcuts()) {
        auto* action = new QAction(ShortcutDescription(shortcut), window);
        action->setShortcuts(shortcut.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(action, &QAction::triggered, window, [targets, run = shortcut.run] { run(targets); });
        window->addAction(action);
    }
}
