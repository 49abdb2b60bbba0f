#include "MainWindowController.h"

#include "DroppedFiles.h"
#include "FileDropTarget.h"
#include "NoticeBanner.h"
#include "PlayerView.h"
#include "SettingsDialog.h"
#include "VideoFullScreen.h"
#include "VolumeControl.h"
#include "ui_MainWindowController.h"

#include <QCloseEvent>
#include <QDir>
#include <QMenuBar>
#include <QSplitter>
#include <QTreeWidget>
#include <QWebEngineView>

namespace {

// Bounds on one drop's folder walk, which runs on the window's thread.
constexpr int kMaxDroppedVideos = 1000;
constexpr int kMaxDroppedEntries = 100000;

}  // namespace

void MainWindowController::arrangeDesktop() {
    auto* drops = new FileDropTarget([this](const QList<QUrl>& urls) { openDroppedUrls(urls); }, this);
    drops->watch(this);
    drops->watch(ui->tableViewVideos->viewport());
    drops->watch(ui->playerView);
    drops->watchWithChildren(ui->webView);

    QMenu* settingsMenu = menuBar()->addMenu(tr("&Settings"));
    settingsMenu->setObjectName(QStringLiteral("settingsMenu"));
    QAction* preferences = settingsMenu->addAction(tr("&Preferences…"), this, &MainWindowController::showPreferences);
    preferences->setShortcut(QKeySequence(tr("Ctrl+,")));
    preferences->setMenuRole(QAction::PreferencesRole);
}

void MainWindowController::openDroppedUrls(const QList<QUrl>& urls) {
    const DroppedFiles dropped = CollectDroppedFiles(urls, kMaxDroppedVideos, kMaxDroppedEntries);
    for (const QString& folder : dropped.cappedFolders) {
        notices->addNotice(tr("Kolvar stopped looking in %1 after %2 videos or %3 files; drop its folders one at a "
                              "time for the rest.")
                               .arg(QDir::toNativeSeparators(folder))
                               .arg(kMaxDroppedVideos)
                               .arg(kMaxDroppedEntries));
    }
    for (const QString& folder : dropped.emptyFolders) {
        notices->addNotice(tr("No videos in %1.").arg(QDir::toNativeSeparators(folder)));
    }
    openVideos(dropped.paths);
}

void MainWindowController::showPreferences() {
    auto* dialog = new SettingsDialog(settings, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        settings = dialog->settings();
        showEvents();
        applyDisplaySettings();
    });
    dialog->open();
}

void MainWindowController::restoreWindowLayout() {
    // Values that do not fit (another version's, a damaged file) are refused
    // by Qt and leave the defaults.
    const Settings::WindowLayout& layout = settings.windowLayout();
    if (!layout.geometry.isEmpty()) restoreGeometry(layout.geometry);
    if (!layout.state.isEmpty()) restoreState(layout.state);
    VolumeControl* volume = ui->playerView->volumeControl();
    volume->setVolume(layout.volume);
    if (volume->isMuted() != layout.muted) volume->toggleMute();
    for (QSplitter* splitter : findChildren<QSplitter*>()) {
        const QByteArray state = layout.splitters.value(splitter->objectName());
        if (!state.isEmpty()) splitter->restoreState(state);
    }
}

void MainWindowController::closeEvent(QCloseEvent* event) {
    // The layout to keep is the one with the library, the map and the instruments.
    fullScreen->leave();
    const VolumeControl* volume = ui->playerView->volumeControl();
    Settings::WindowLayout layout{saveGeometry(), saveState(), {}, volume->volume(), volume->isMuted()};
    for (const QSplitter* splitter : findChildren<QSplitter*>()) {
        layout.splitters.insert(splitter->objectName(), splitter->saveState());
    }
    Settings::saveWindowLayout(layout);
    QMainWindow::closeEvent(event);
}
