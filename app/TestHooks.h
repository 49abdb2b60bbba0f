#pragma once

#include <QJsonArray>
#include <QString>

#include <memory>

class MainWindowController;
class PlayerView;

// Hooks for automated runs of the program (the end-to-end test and
// scripts/screenshot.sh), each switched on by an environment variable:
//
//   KOLVAR_TEST_REPORT=FILE      append one line per timer tick to FILE:
//                                "<player ms> <marker lat> <marker lon> <G-sensor chart hash> <detail chart hash>"
//   KOLVAR_TEST_PLAY_MS=N        start playback after each load, and quit once
//                                the player has reached N ms
//   KOLVAR_TEST_SCREENSHOT=FILE  with KOLVAR_TEST_PLAY_MS, save the window as a
//                                PNG image in FILE just before quitting
class TestHooks {
public:
    // None when no hook is switched on.
    static std::unique_ptr<TestHooks> fromEnvironment();

    void videoLoaded(PlayerView& playerView) const;
    void ticked(MainWindowController& window, double t, const QJsonArray& markerArgs) const;

private:
    QString reportPath;
    qint64 playUntilMs = -1;
    QString screenshotPath;
};
