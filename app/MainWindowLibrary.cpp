#include "MainWindowController.h"

#include "ClipExport.h"
#include "ClipImport.h"
#include "LibraryDrives.h"
#include "LibraryFormats.h"
#include "LibraryTree.h"
#include "NoticeBanner.h"
#include "PlayerView.h"
#include "TabsView.h"
#include "ui_MainWindowController.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace {

QTreeWidgetItem* SelectedItem(const QTreeWidget& tree) {
    const QList<QTreeWidgetItem*> items = tree.selectedItems();
    return items.isEmpty() ? nullptr : items.first();
}

void ShowRecordedStart(const QList<VideoEntry>& videos, const QVector<QTreeWidgetItem*>& items, const QString& path,
                       const QString& start) {
    for (int row = 0; row < videos.size() && row < items.size(); ++row) {
        if (videos[row].path == path && videos[row].available && items[row])
            items[row]->setToolTip(0, ClipToolTip(videos[row], start));
    }
}

int LibraryRow(const QTreeWidgetItem* item) { return item ? item->data(0, kLibraryRowRole).toInt() : -1; }

int RowOf(const QList<VideoEntry>& videos, const QString& path) {
    if (path.isEmpty()) return -1;
    for (int row = 0; row < videos.size(); ++row) {
        if (videos[row].path == path) return row;
    }
    return -1;
}

QStringList DrivePaths(const Drive& drive) {
    QStringList paths;
    for (const ChannelClips& channel : drive.channels)
        for (const DriveClip& clip : channel.clips) paths << QFile::decodeName(clip.path.c_str());
    return paths;
}

}  // namespace

void MainWindowController::addVideoPress() {
    // Cancel changes nothing, and the loaded video stays loaded after adding.
    const QString startDir =
        videos.isEmpty() ? QDir::homePath() : QFileInfo(videos.last().path).absolutePath();
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Add videos"), startDir, LibraryVideoFilter());
    if (files.isEmpty()) return;
    importPaths(files);
}

void MainWindowController::delVideoPress() {
    const QTreeWidgetItem* item = SelectedItem(*ui->tableViewVideos);
    if (!item) return;
    const int row = LibraryRow(item);
    if (row < 0) return removeDrive(item->data(0, kDriveRole).toInt());
    if (row >= videos.size()) return;
    const QString path = videos[row].path;

    ui->playerView->removePlayer();
    library.removeVideo(path);
    reportCatalogueProblem();
    refreshVideoTableView();

    if (!videos.isEmpty()) {
        // The video that took the removed row's place opens; entries whose
        // files vanished leave with the refresh too, so the row is kept in range.
        selectedIndex = qMin<int32_t>(row, static_cast<int32_t>(videos.size()) - 1);
        selectRowQuietly(selectedIndex);
        openRow(selectedIndex);
        return;
    }
    cancelLoad();
    clearPoints();
    loadedTrack.reset();
    exports->clear();
    clearClipClock();
    ui->tabsView->setGPSTrack(nullptr);
    ui->tabsView->showTime(0.0f);
    ui->btnDelVideo->setEnabled(false);
    selectedIndex = -1;
}

void MainWindowController::removeDrive(int drive) {
    if (drive < 0 || drive >= static_cast<int>(drives.size())) return;
    const QStringList paths = DrivePaths(drives[drive]);
    auto* confirm = new QMessageBox(QMessageBox::Question, tr("Remove drive"),
                                    tr("Remove the %n clip(s) of this drive from the library? The files stay.", "",
                                       static_cast<int>(paths.size())),
                                    QMessageBox::Yes | QMessageBox::Cancel, this);
    confirm->setAttribute(Qt::WA_DeleteOnClose);
    confirm->setWindowModality(Qt::WindowModal);
    connect(confirm, &QMessageBox::buttonClicked, this, [this, confirm, paths, drive](QAbstractButton* button) {
        if (confirm->standardButton(button) != QMessageBox::Yes) return;
        cancelLoad();
        ui->playerView->removePlayer();
        library.removeVideos(paths);
        reportCatalogueProblem();
        selectedIndex = -1;
        refreshVideoTableView();
        QTreeWidget* tree = ui->tableViewVideos;
        if (tree->topLevelItemCount() == 0) {
            clearPoints();
            loadedTrack.reset();
            exports->clear();
            ui->tabsView->setGPSTrack(nullptr);
            ui->tabsView->showTime(0.0f);
            ui->btnDelVideo->setEnabled(false);
            return;
        }
        // The drive that takes its place is opened, as a removed clip's is.
        tree->setCurrentItem(tree->topLevelItem(qMin(drive, tree->topLevelItemCount() - 1)));
    });
    confirm->open();
}

void MainWindowController::importVideo(const QString& path) {
    library.importVideo(path);
    reportCatalogueProblem();
}

void MainWindowController::refreshVideoTableView() {
    // Entries whose files vanished leave with the refresh, so rows may move
    // under the loaded video.
    const QString loaded = selectedIndex >= 0 && selectedIndex < videos.size() ? videos[selectedIndex].path : QString();
    videos = library.refresh();
    selectedIndex = RowOf(videos, loaded);
    reportCatalogueProblem();
    groupDrives();
    showLibrary();
}

void MainWindowController::groupDrives() {
    QSet<QString> listed;
    for (const VideoEntry& entry : std::as_const(videos)) listed.insert(entry.path);
    if (clipCache.keepOnly(listed)) clipCache.save();
    LibraryDrives grouped = GroupLibrary(videos, clipCache);
    drives = std::move(grouped.drives);

    QStringList unread;
    for (const QString& path : std::as_const(grouped.unread)) {
        if (!cacheTried.contains(path)) unread << path;
    }
    if (unread.isEmpty() || cacheReader->isRunning() || importer->isRunning()) return;
    for (const QString& path : std::as_const(unread)) cacheTried.insert(path);
    cacheReader->refreshCache(unread);
}

void MainWindowController::reportCatalogueProblem() {
    const VideoCatalogue::Problem problem = library.problem();
    if (problem == VideoCatalogue::Problem::None || toldProblems.contains(problem)) return;
    toldProblems << problem;
    const QString file = QDir::toNativeSeparators(library.filePath());
    notices->addNotice(
        (problem == VideoCatalogue::Problem::Unreadable
             ? tr("The library %1 cannot be read (%2); it is left as it is. Videos you add stay for this session only.")
             : tr("The library %1 cannot be saved (%2). Videos you add stay for this session only."))
            .arg(file, library.problemReason()));
}

void MainWindowController::showLibrary() {
    QTreeWidget* tree = ui->tableViewVideos;
    // The selection and the opened drives stay across the reload without
    // counting as a new selection.
    const QTreeWidgetItem* selected = SelectedItem(*tree);
    const bool driveSelected = selected && LibraryRow(selected) < 0;
    QSet<QString> expanded;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* drive = tree->topLevelItem(i);
        if (drive->isExpanded() && drive->childCount() > 0) expanded.insert(drive->child(0)->text(0));
    }
    {
        const QSignalBlocker quiet(tree);
        clipItems = FillLibraryTree(*tree, drives, videos, palette());
        for (auto start = recordedStarts.cbegin(); start != recordedStarts.cend(); ++start)
            ShowRecordedStart(videos, clipItems, start.key(), start.value());
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            QTreeWidgetItem* drive = tree->topLevelItem(i);
            if (drive->childCount() > 0 && expanded.contains(drive->child(0)->text(0))) drive->setExpanded(true);
        }
        if (selected && selectedIndex >= 0 && selectedIndex < clipItems.size() && clipItems[selectedIndex]) {
            QTreeWidgetItem* item = clipItems[selectedIndex];
            tree->setCurrentItem(driveSelected ? item->parent() : item);
        }
    }
    // English needs the singular for one video; Chinese has one form for both.
    const QString unit = videos.size() == 1 ? QStringLiteral("VideoSizeOne") : QStringLiteral("VideoSize");
    ui->textVideosSize->setText(QStringLiteral("%1 %2").arg(videos.size()).arg(strings.localizedString(unit)));
}

void MainWindowController::showRecordedStart(const QString& path, const QString& start) {
    recordedStarts.insert(path, start);
    ShowRecordedStart(videos, clipItems, path, start);
}

void MainWindowController::selectRowQuietly(int row) {
    if (row < 0 || row >= clipItems.size() || !clipItems[row]) return;
    const QSignalBlocker quiet(ui->tableViewVideos);
    ui->tableViewVideos->setCurrentItem(clipItems[row]);
    ui->tableViewVideos->scrollToItem(clipItems[row]);
}

void MainWindowController::selectVideo(int index) {
    if (index < 0 || index >= clipItems.size() || !clipItems[index]) return;
    ui->tableViewVideos->setCurrentItem(clipItems[index]);
}

void MainWindowController::tableViewSelectionDidChange() {
    const QTreeWidgetItem* item = SelectedItem(*ui->tableViewVideos);
    if (!item) return;
    const int row = LibraryRow(item);
    if (row < 0) return openDrive(item->data(0, kDriveRole).toInt());
    // The drive's first clip alone is another selection than its drive.
    if (row == selectedIndex && !playingDrive) return;
    playingDrive = false;
    // The user's choice wins over a command-line video still waiting for the page.
    pendingSelection.clear();
    ui->btnDelVideo->setEnabled(true);
    selectedIndex = row;
    // The tree stays enabled while the line is drawn, keeping its focus: each
    // load's drawing is one batch on the page, and the newest load wins.
    openRow(row);
}

void MainWindowController::openDrive(int drive) {
    if (drive < 0 || drive >= static_cast<int>(drives.size())) return;
    const int row = RowOf(videos, QFile::decodeName(drives[drive].clips().front().path.c_str()));
    if (row < 0) return;
    pendingSelection.clear();
    ui->btnDelVideo->setEnabled(true);
    selectedIndex = row;
    playingDrive = true;
    if (!videos[row].available) return openRow(row);
    selectDrive(drives[drive]);
}

void MainWindowController::openRow(int row) {
    if (videos[row].available) return loadVideo(row);
    cancelLoad();
    ui->playerView->removePlayer();
    notices->addNotice(UnavailableNotice(videos[row]));
}
