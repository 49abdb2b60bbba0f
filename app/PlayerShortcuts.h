#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>
#include <vector>

class PlayerView;
class QWidget;
class VideoFullScreen;

// What the keys act on.
struct ShortcutTargets {
    PlayerView* player = nullptr;
    VideoFullScreen* fullScreen = nullptr;
    std::function<void()> showShortcuts;
};

// One line of the player's key table: its keys, what it does for the user
// (source text, translated on use) and the doing.
struct PlayerShortcut {
    QList<QKeySequence> keys;
    const char* description;
    void (*run)(const ShortcutTargets&);
};

// The one table the bindings and their list in the help are both made from.
const std::vector<PlayerShortcut>& PlayerShortcuts();
QString ShortcutDescription(const PlayerShortcut& shortcut);
// The keys as the platform writes them, "Shift+Right", several joined.
QString ShortcutKeysText(const PlayerShortcut& shortcut);

// One action per line on the window, so that the keys work wherever the
// focus is in it: the library, the map, the slider.
void InstallPlayerShortcuts(QWidget* window, const ShortcutTargets& targets);
