#include "MainWindowController.h"

#include "MapCalls.h"
#include "PlayerView.h"
#include "TabsView.h"
#include "TestHooks.h"
#include "ui_MainWindowController.h"

#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

void MainWindowController::loadVideo(int32_t index) {
    if (index < 0 || index >= videos.size()) return;
    const VideoEntry entry = videos[index];
    startLoad(entry);
    // The side file beside the video wins over the data inside it.
    finishLoad(LoadTrack(QFile::encodeName(entry.path).toStdString()));
}

void MainWindowController::startLoad(const VideoEntry& entry) {
    ui->playerView->openVideo(QUrl::fromLocalFile(entry.path));
    playbackTimer.stop();
    trackStart.reset();
    loadedTrack = std::make_shared<GPSTrack>();
    polyline.clear();
    loadedCreationDate = entry.creationDate;
}

void MainWindowController::finishLoad(TrackLoad load) {
    loadedTrack = std::move(load.track);
    polyline = std::move(load.lineArray);
    trackStart = load.firstPoint;
    if (loadedTrack->isEmpty() || !trackStart) {
        // The map and the instruments keep showing the previous drive.
        showNoGPSAlert();
        AddLineComplete();
        return;
    }
    ui->tabsView->setGPSTrack(loadedTrack);
    ui->tabsView->update(0.0f);
    playbackTimer.start();
    sendToPage(LoadCalls(polyline, *trackStart, load.source, *mapProvider));
    if (testHooks) testHooks->videoLoaded(*ui->playerView);
}

void MainWindowController::showNoGPSAlert() {
    // A sheet on the window: nothing waits for it to close.
    auto* alert = new QMessageBox(this);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setWindowModality(Qt::WindowModal);
    alert->setIcon(QMessageBox::Information);
    alert->setText(strings.localizedString(QStringLiteral("NoGPSInfo")));
    alert->setInformativeText(QString());
    alert->addButton(strings.localizedString(QStringLiteral("OK")), QMessageBox::AcceptRole);
    alert->open();
}
