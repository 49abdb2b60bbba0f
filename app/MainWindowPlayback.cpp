#include "MainWindowController.h"

#include "PlaybackTick.h"
#include "PlayerView.h"
#include "RecordedTimeLabel.h"
#include "TabsView.h"
#include "TestHooks.h"
#include "ui_MainWindowController.h"

void MainWindowController::timerUpdate() {
    // Without a player (taken away by an add or a delete) the tick has nothing to follow.
    const std::optional<double> t = ui->playerView->currentTime();
    if (!t) return;
    if (otherChannel) ui->playerView->keepOtherInStep([this](double leadMs) { return otherChannel->otherTime(leadMs); });
    const std::optional<PlaybackTick> tick = PlaybackTickAt(loadedTrack.get(), *t, *mapProvider);
    if (!tick) return;
    moveAndCenter(tick->markerArgs);
    ui->tabsView->showTime(tick->viewTime);
    recordedTime->showTime(*t);
    if (testHooks) testHooks->ticked(*this, *t, tick->markerArgs);
}
