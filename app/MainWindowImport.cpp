#include "MainWindowController.h"

#include "ClipImport.h"
#include "NoticeBanner.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>

void MainWindowController::arrangeImport() {
    importer = new ClipImport(library, clipCache, this);
    cacheReader = new ClipImport(library, clipCache, this);
    connect(importer, &ClipImport::finished, this, [this](bool cancelled) {
        if (cancelled) notices->addNotice(tr("Import cancelled; %n clip(s) were added.", "", importer->added()));
        refreshVideoTableView();
    });
    connect(cacheReader, &ClipImport::finished, this, [this] {
        groupDrives();
        showLibrary();
    });
}

void MainWindowController::addFolderPress() {
    const QString startDir =
        videos.isEmpty() ? QDir::homePath() : QFileInfo(videos.last().path).absolutePath();
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Add folder"), startDir);
    if (!folder.isEmpty()) importPaths({folder});
}

void MainWindowController::importPaths(const QStringList& paths) {
    if (paths.isEmpty()) return;
    if (importer->isRunning()) {
        notices->addNotice(tr("Videos are being added; add these once that is done."));
        return;
    }
    QSet<QString> known;
    for (const VideoEntry& entry : std::as_const(videos)) known.insert(entry.path);
    // Window-modal: the video plays on and the window redraws, while the
    // library stays as the import leaves it.
    auto* progress = new QProgressDialog(tr("Looking for videos…"), tr("Cancel"), 0, 0, this);
    progress->setWindowTitle(tr("Adding videos"));
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(300);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    connect(importer, &ClipImport::found, progress, [progress](int total) {
        progress->setLabelText(tr("Reading %n clip(s)…", "", total));
        progress->setMaximum(total);
    });
    connect(importer, &ClipImport::progress, progress, &QProgressDialog::setValue);
    connect(progress, &QProgressDialog::canceled, importer, &ClipImport::cancel);
    connect(importer, &ClipImport::finished, progress, &QObject::deleteLater);
    importer->importPaths(paths, known);
}
