#include "MainWindowController.h"

#include "ClipExport.h"
#include "KolvarLog.h"
#include "MapCalls.h"
#include "NoticeBanner.h"
#include "PlayerView.h"
#include "TabsView.h"
#include "TestHooks.h"
#include "ui_MainWindowController.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace {

QString ClipPath(const DriveClip& clip) { return QFile::decodeName(QByteArray::fromStdString(clip.path)); }

QList<QUrl> ClipUrls(const ChannelClips& channel) {
    QList<QUrl> urls;
    for (const DriveClip& clip : channel.clips) urls << QUrl::fromLocalFile(ClipPath(clip));
    return urls;
}

std::vector<double> ClipDurations(const ChannelClips& channel) {
    std::vector<double> durations;
    for (const DriveClip& clip : channel.clips) durations.push_back(clip.durationMs);
    return durations;
}

}  // namespace

void MainWindowController::loadVideo(int32_t index) {
    if (index < 0 || index >= videos.size()) return;
    const VideoEntry entry = videos[index];
    selectDrive(DriveOfOneClip(QFile::encodeName(entry.path).toStdString()));
    // A missing file leaves no player behind.
    if (ui->playerView->player()) loadedCreationDate = entry.creationDate;
}

void MainWindowController::selectDrive(const Drive& drive) {
    if (drive.channels.empty() || drive.clips().empty()) return;
    const QString first = ClipPath(drive.clips().front());
    if (!QFileInfo::exists(first)) return reportMissingVideo(first);
    startLoad(drive);
    // A big clip takes seconds to read, so the drive is read on a worker
    // while the window and the player go on; a newer selection makes this one stale.
    cancelLoad();
    const quint64 load = loadGeneration;
    auto* watcher = new QFutureWatcher<DriveLoad>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, load] {
        watcher->deleteLater();
        if (load != loadGeneration) return;
        showLoading(false);
        finishLoad(watcher->result());
    });
    runningLoad = QtConcurrent::run([drive] { return LoadDrive(drive); });
    watcher->setFuture(runningLoad);
    showLoading(true);
}

void MainWindowController::cancelLoad() {
    ++loadGeneration;
    runningLoad.cancel();  // only one that has not started yet
    showLoading(false);
}

void MainWindowController::showLoading(bool on) {
    loading = on;
    if (!loadingIndicator) {
        loadingIndicator = new QProgressBar(ui->libraryPanel);
        loadingIndicator->setObjectName(QStringLiteral("loadingIndicator"));
        loadingIndicator->setRange(0, 0);
        loadingIndicator->setTextVisible(false);
        loadingIndicator->setMaximumHeight(8);
        loadingIndicator->setToolTip(tr("Reading the GPS data"));
        ui->libraryLayout->insertWidget(ui->libraryLayout->indexOf(ui->tableViewVideos) + 1, loadingIndicator);
    }
    loadingIndicator->setVisible(on);
}

void MainWindowController::reportMissingVideo(const QString& path) {
    // One message, rather than the player's and the missing GPS data's.
    cancelLoad();
    playbackTimer.stop();
    ui->playerView->removePlayer();
    exports->clear();
    clearClipClock();
    notices->addNotice(tr("File not found: %1").arg(QDir::toNativeSeparators(path)));
}

void MainWindowController::startLoad(const Drive& drive) {
    ui->playerView->openDrive(ClipUrls(drive.channels.front()), ClipDurations(drive.channels.front()));
    QStringList paths;
    for (const DriveClip& clip : drive.clips()) paths << ClipPath(clip);
    exports->startDrive(paths);
    playbackTimer.stop();
    otherChannel.reset();
    trackStart.reset();
    loadedTrack = std::make_shared<GPSTrack>();
    polyline.clear();
    loadedCreationDate.clear();
    // The offset of the drive's first clip: a camera's clock is off the same way all drive.
    startClipClock(paths.front());
}

void MainWindowController::finishLoad(DriveLoad load) {
    ui->playerView->setClipDurations(ClipDurations(load.drive.channels.front()));
    if (load.drive.channels.size() > 1) {
        ui->playerView->openOtherChannel(ClipUrls(load.drive.channels[1]), ClipDurations(load.drive.channels[1]));
        otherChannel.emplace(load.drive, 1);
    }
    // The tick keeps the other camera in step, with or without a route.
    if (otherChannel) playbackTimer.start();
    TrackLoad& route = load.track;
    exports->setTrack(route);
    finishClipClock(route);
    loadedTrack = std::move(route.track);
    polyline = std::move(route.lineArray);
    trackStart = route.firstPoint;
    if (loadedTrack->isEmpty() || !trackStart) {
        // The map and the instruments keep showing the previous drive.
        qCInfo(kolvarLog) << "no GPS data:" << route.reason.c_str();
        showNoGPSAlert(NoGPSReason(route));
        AddLineComplete();
        return;
    }
    ui->tabsView->setGPSTrack(loadedTrack);
    ui->tabsView->showTime(0.0f);
    showEvents();
    playbackTimer.start();
    QVector<PageCall> calls = LoadCalls(polyline, *trackStart, route.source, *mapProvider);
    if (settings.speedColouredTrack()) calls.append(SpeedColoursCall(*loadedTrack, settings.units(), true));
    sendToPage(calls);
    if (testHooks) testHooks->videoLoaded(*ui->playerView);
}

QString MainWindowController::NoGPSReason(const TrackLoad& load) {
    if (load.source == TrackSource::SideFile) return tr("The side file beside the video holds no position.");
    QStringList lookedFor;
    for (const std::string& id : load.lookedFor) lookedFor << QString::fromStdString(id);
    switch (load.status) {
    case ExtractStatus::Unreadable: return tr("The video file cannot be read.");
    case ExtractStatus::NoFix:
        return tr("Its GPS records (%1) hold no position fix.").arg(QString::fromStdString(load.dialect));
    case ExtractStatus::NoKnownLayout:
    case ExtractStatus::Found: break;
    }
    if (lookedFor.isEmpty()) return tr("Kolvar knows no GPS layout for this kind of file.");
    return tr("No GPS data was found. Looked for: %1.").arg(lookedFor.join(QStringLiteral(", ")));
}

void MainWindowController::showNoGPSAlert(const QString& reason) {
    // A sheet on the window: nothing waits for it to close.
    auto* alert = new QMessageBox(this);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setWindowModality(Qt::WindowModal);
    alert->setIcon(QMessageBox::Information);
    alert->setText(strings.localizedString(QStringLiteral("NoGPSInfo")));
    alert->setInformativeText(reason);
    alert->addButton(strings.localizedString(QStringLiteral("OK")), QMessageBox::AcceptRole);
    alert->open();
}
