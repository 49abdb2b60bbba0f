#include "MainWindowController.h"

#include "ClipExport.h"
#include "KolvarLog.h"
#include "LibraryFormats.h"
#include "NoticeBanner.h"
#include "PlayerView.h"
#include "TabsView.h"
#include "ui_MainWindowController.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QTableWidget>

namespace {

QString UnavailableNotice(const VideoEntry& entry) {
    return MainWindowController::tr("%1 is not available: its folder %2 is missing. Connect the card or disk it is on.")
        .arg(QFileInfo(entry.path).fileName(), QDir::toNativeSeparators(QFileInfo(entry.path).path()));
}

QTableWidgetItem* MakeVideoCell(const VideoEntry& entry, const QPalette& palette) {
    const QFileInfo file(entry.path);
    qCInfo(kolvarLog, "%s", qUtf8Printable(file.completeBaseName()));
    auto* cell = new QTableWidgetItem(file.fileName());
    if (!entry.available) {
        cell->setForeground(palette.brush(QPalette::Disabled, QPalette::Text));
        cell->setToolTip(UnavailableNotice(entry));
        return cell;
    }
    cell->setToolTip(QStringLiteral("%1\n%2  %3")
                         .arg(QDir::toNativeSeparators(entry.path), entry.creationDate,
                              getSizeString(entry.fileSize)));
    return cell;
}

int SelectedRow(const QTableWidget& table) {
    const QModelIndexList rows = table.selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

}  // namespace

void MainWindowController::addVideoPress() {
    // Cancel changes nothing, and the loaded video stays loaded after adding.
    const QString startDir =
        videos.isEmpty() ? QDir::homePath() : QFileInfo(videos.last().path).absolutePath();
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Add videos"), startDir, LibraryVideoFilter());
    if (files.isEmpty()) return;
    const QString loaded = selectedIndex >= 0 && selectedIndex < videos.size() ? videos[selectedIndex].path : QString();
    for (const QString& file : files) importVideo(file);
    refreshVideoTableView();
    // Entries whose files vanished leave with the refresh, so rows may move.
    selectedIndex = -1;
    for (int row = 0; row < videos.size(); ++row) {
        if (videos[row].path == loaded) selectedIndex = row;
    }
    if (selectedIndex >= 0) {
        selectRowQuietly(selectedIndex);
    } else {
        const QSignalBlocker quiet(ui->tableViewVideos);
        ui->tableViewVideos->clearSelection();
    }
}

void MainWindowController::delVideoPress() {
    const int row = SelectedRow(*ui->tableViewVideos);
    if (row < 0 || row >= videos.size()) return;
    const QString path = videos[row].path;

    ui->playerView->removePlayer();
    library.removeVideo(path);
    reportCatalogueProblem();
    refreshVideoTableView();

    if (!videos.isEmpty()) {
        // Entries whose files vanished leave with the refresh too, so the
        // index is kept in range by more than the one row deleted.
        selectedIndex = qMin<int32_t>(selectedIndex, static_cast<int32_t>(videos.size()) - 1);
        selectRowQuietly(selectedIndex);
        openRow(selectedIndex);
        return;
    }
    cancelLoad();
    clearPoints();
    loadedTrack.reset();
    exports->clear();
    ui->tabsView->setGPSTrack(nullptr);
    ui->tabsView->showTime(0.0f);
    ui->btnDelVideo->setEnabled(false);
    selectedIndex = -1;
}

void MainWindowController::importVideo(const QString& path) {
    library.importVideo(path);
    reportCatalogueProblem();
}

void MainWindowController::refreshVideoTableView() {
    videos = library.refresh();
    reportCatalogueProblem();
    showLibrary();
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
    QTableWidget* table = ui->tableViewVideos;
    // The selected row stays selected across the reload without counting as
    // a new selection.
    const int selected = SelectedRow(*table);
    {
        const QSignalBlocker quiet(table);
        table->setRowCount(0);
        table->setRowCount(static_cast<int>(videos.size()));
        for (int row = 0; row < videos.size(); ++row) table->setItem(row, 0, MakeVideoCell(videos[row], palette()));
    }
    if (selected >= 0 && selected < videos.size()) selectRowQuietly(selected);
    // English needs the singular for one video; Chinese has one form for both.
    const QString unit = videos.size() == 1 ? QStringLiteral("VideoSizeOne") : QStringLiteral("VideoSize");
    ui->textVideosSize->setText(QStringLiteral("%1 %2").arg(videos.size()).arg(strings.localizedString(unit)));
}

void MainWindowController::selectRowQuietly(int row) {
    const QSignalBlocker quiet(ui->tableViewVideos);
    ui->tableViewVideos->selectRow(row);
}

void MainWindowController::tableViewSelectionDidChange() {
    const int row = SelectedRow(*ui->tableViewVideos);
    if (row < 0 || row == selectedIndex) return;
    // The user's choice wins over a command-line video still waiting for the page.
    pendingSelection.clear();
    ui->btnDelVideo->setEnabled(true);
    selectedIndex = row;
    // The table stays enabled while the line is drawn, keeping its focus: each
    // load's drawing is one batch on the page, and the newest load wins.
    openRow(row);
}

void MainWindowController::openRow(int row) {
    if (videos[row].available) return loadVideo(row);
    cancelLoad();
    ui->playerView->removePlayer();
    notices->addNotice(UnavailableNotice(videos[row]));
}
