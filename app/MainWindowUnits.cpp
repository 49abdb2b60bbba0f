#include "MainWindowController.h"

#include "ClipExport.h"
#include "ClockOffsetDialog.h"
#include "MapCalls.h"
#include "NoticeBanner.h"
#include "PlayerView.h"
#include "RecordedTime.h"
#include "RecordedTimeLabel.h"
#include "TabsView.h"
#include "ui_MainWindowController.h"

#include <QFileInfo>
#include <QMenuBar>
#include <QStatusBar>

void MainWindowController::arrangeUnitsAndClock() {
    recordedTime = new RecordedTimeLabel;
    statusBar()->addWidget(recordedTime);
    // The clock is a setting of the clip, so it sits with the settings.
    auto* settingsMenu = menuBar()->findChild<QMenu*>(QStringLiteral("settingsMenu"));
    clockOffsetItem = settingsMenu->addAction(tr("Camera clock offset…"), this, &MainWindowController::editClockOffset);
    clockOffsetItem->setEnabled(false);
}

void MainWindowController::applyDisplaySettings() {
    ui->tabsView->setUnits(settings.units());
    exports->setUnits(settings.units());
    ui->tabsView->showTime(static_cast<float>(ui->playerView->currentTime().value_or(0.0)));
    if (loadedTrack && !loadedTrack->isEmpty()) sendSpeedColours();
}

void MainWindowController::sendSpeedColours() {
    sendToPage({SpeedColoursCall(*loadedTrack, settings.units(), settings.speedColouredTrack())});
}

void MainWindowController::startClipClock(const QString& videoPath) {
    loadedPath = videoPath;
    clipClockOffset = library.clockOffset(videoPath);
    exports->setClockOffset(clipClockOffset);
    recordedTime->clear();
    recordedTime->setClockOffset(clipClockOffset);
    clockOffsetItem->setEnabled(true);
}

void MainWindowController::finishClipClock(const TrackLoad& load) {
    recordedTime->setClip(load);
    if (const QString start = RecordedStart(load, clipClockOffset); !start.isEmpty()) showRecordedStart(loadedPath, start);
}

void MainWindowController::clearClipClock() {
    loadedPath.clear();
    clipClockOffset = 0;
    recordedTime->clear();
    clockOffsetItem->setEnabled(false);
}

void MainWindowController::editClockOffset() {
    if (loadedPath.isEmpty()) return;
    auto* dialog = new ClockOffsetDialog(QFileInfo(loadedPath).fileName(), clipClockOffset, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    const QString path = loadedPath;
    connect(dialog, &QDialog::accepted, this, [this, dialog, path] {
        if (path == loadedPath) setClockOffset(dialog->minutes());
    });
    dialog->open();
}

bool MainWindowController::setClockOffset(int minutes) {
    if (loadedPath.isEmpty()) return false;
    if (!library.setClockOffset(loadedPath, minutes)) {
        notices->addNotice(tr("The camera clock offset of %1 cannot be kept: %2.")
                               .arg(QFileInfo(loadedPath).fileName(), library.problemReason()));
        return false;
    }
    clipClockOffset = minutes;
    exports->setClockOffset(minutes);
    recordedTime->setClockOffset(minutes);
    return true;
}
