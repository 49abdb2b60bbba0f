#include "MainWindowController.h"

#include "GSensorEvents.h"
#include "PlayerShortcuts.h"
#include "PlayerView.h"
#include "ShortcutsDialog.h"
#include "VideoFullScreen.h"
#include "ui_MainWindowController.h"

#include <cmath>

void MainWindowController::arrangePlayerControls() {
    fullScreen = new VideoFullScreen(this, {ui->libraryPanel, ui->webView, ui->tabsView});
    connect(ui->playerView, &PlayerView::videoDoubleClicked, fullScreen, &VideoFullScreen::toggle);
    InstallPlayerShortcuts(this, {ui->playerView, fullScreen, [this] { showShortcuts(); }});
}

void MainWindowController::showShortcuts() {
    if (!shortcutsDialog) shortcutsDialog = new ShortcutsDialog(this);
    shortcutsDialog->show();
    shortcutsDialog->raise();
    shortcutsDialog->activateWindow();
}

void MainWindowController::showEvents() {
    std::vector<qint64> times;
    if (loadedTrack) {
        for (const GSensorEvent& event : FindGSensorEvents(loadedTrack->pointArray(), settings.eventThreshold())) {
            times.push_back(std::llround(event.time));
        }
    }
    ui->playerView->setEventTimes(std::move(times));
}
