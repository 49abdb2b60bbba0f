#include "MainWindowController.h"

#include "ClipExport.h"
#include "ClipImport.h"
#include "DataDirectory.h"
#include "KolvarLog.h"
#include "LibraryFormats.h"
#include "LibraryTree.h"
#include "NoticeBanner.h"
#include "PlayerView.h"
#include "TabsView.h"
#include "TestHooks.h"
#include "ui_MainWindowController.h"

#include <QDir>
#include <QFileInfo>
#include <QShortcut>
#include <QTreeWidget>

namespace {

const QString kCatalogueName = QStringLiteral("videos.xml");
const QString kClipCacheName = QStringLiteral("clips-cache.json");
const QString kSideFileExtension = QStringLiteral("GMAP");
constexpr int kTimerPeriodMs = 400;

}  // namespace

MainWindowController::MainWindowController(QWidget* parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::MainWindowController>()),
      strings(StringTable::load(QStringLiteral("InfoPlist"), QLocale())),
      testHooks(TestHooks::fromEnvironment()) {
    ui->setupUi(this);
    notices = new NoticeBanner(ui->libraryPanel);
    ui->libraryLayout->insertWidget(0, notices);
    exports = new ClipExport(this, ui->playerView);
    arrangeWindow();
    arrangeDesktop();
    arrangePlayerControls();
    arrangeImport();
    arrangeUnitsAndClock();
    playbackTimer.setInterval(kTimerPeriodMs);
    connect(&playbackTimer, &QTimer::timeout, this, &MainWindowController::timerUpdate);
    // Paused, the tick is too slow to follow a seek: the marker and the charts move at once.
    connect(ui->playerView, &PlayerView::pausedPositionChanged, this, [this] {
        if (playbackTimer.isActive()) timerUpdate();
    });
    connect(ui->btnAddVideo, &QPushButton::clicked, this, &MainWindowController::addVideoPress);
    connect(ui->btnDelVideo, &QPushButton::clicked, this, &MainWindowController::delVideoPress);
    connect(ui->btnAddFolder, &QPushButton::clicked, this, &MainWindowController::addFolderPress);
    connect(ui->tableViewVideos, &QTreeWidget::itemSelectionChanged, this,
            &MainWindowController::tableViewSelectionDidChange);
    // The player's keys are the window's (arrangePlayerControls); Delete removes
    // the selected video from the library.
    new QShortcut(QKeySequence::Delete, ui->tableViewVideos, this, &MainWindowController::delVideoPress,
                  Qt::WidgetShortcut);
}

MainWindowController::~MainWindowController() {
    // They save into the catalogue and the cache, which go before QObject's
    // own deletion of children.
    delete importer;
    delete cacheReader;
}

void MainWindowController::arrangeWindow() {
    ui->librarySplitter->setStretchFactor(1, 1);
    ui->librarySplitter->setSizes({460, 1000});
    ArrangeLibraryTree(*ui->tableViewVideos);
    ui->instrumentsSplitter->setStretchFactor(0, 1);
    ui->instrumentsSplitter->setSizes({560, 190});
    ui->videoMapSplitter->setSizes({500, 500});
}

void MainWindowController::windowDidLoad() {
    catalogueName = kCatalogueName;
    sideFileExtension = kSideFileExtension;
    selectedIndex = -1;
    pageReady = false;

    settings = Settings::load();
    restoreWindowLayout();
    applyDisplaySettings();
    loadMapPage();
    makeDataDirectory();
    library = VideoCatalogue(QDir(dataDirectory).filePath(catalogueName));
    clipCache = ClipCache(QDir(dataDirectory).filePath(kClipCacheName));
    clipCache.load();
    refreshVideoTableView();
    ui->tabsView->showTime(0.0f);
}

void MainWindowController::makeDataDirectory() {
    dataDirectory = DataDirectoryPath();
    qCInfo(kolvarLog, "basedir: %s", qUtf8Printable(dataDirectory));
    if (!isDirExist(dataDirectory) && !QDir().mkpath(dataDirectory)) {
        qCInfo(kolvarLog, "Create basedir Directory Failed.");
    }
}

bool MainWindowController::isDirExist(const QString& path) { return QFileInfo(path).isDir(); }

void MainWindowController::openVideos(const QStringList& paths) {
    if (paths.isEmpty()) return;
    QStringList refused, accepted;
    for (const QString& path : paths) {
        const QFileInfo file(path);
        const QString reason = !file.isFile()               ? tr("no such file")
                               : !IsLibraryVideoName(path) ? tr("not a video file")
                                                           : QString();
        if (!reason.isEmpty()) {
            qCWarning(kolvarLog, "not added to the library: %s (%s)", qUtf8Printable(path), qUtf8Printable(reason));
            refused << tr("%1 (%2)").arg(QDir::toNativeSeparators(path), reason);
            continue;
        }
        accepted << file.absoluteFilePath();
    }
    const QString first = accepted.value(0);
    library.importVideos(accepted);
    reportCatalogueProblem();
    if (!refused.isEmpty()) notices->addNotice(tr("Not added: %1.").arg(refused.join(QStringLiteral(", "))));
    refreshVideoTableView();
    if (first.isEmpty()) return;
    pendingSelection = first;
    // Later starts hand their videos over once the page is long loaded.
    if (pageReady) selectPendingVideo();
}

void MainWindowController::selectPendingVideo() {
    const QString path = std::exchange(pendingSelection, QString());
    for (int row = 0; row < videos.size(); ++row) {
        if (videos[row].path == path) {
            selectVideo(row);
            return;
        }
    }
}

void MainWindowController::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    ui->tabsView->showTime(0.0f);
}

QTreeWidget* MainWindowController::tableViewVideos() const { return ui->tableViewVideos; }
QLabel* MainWindowController::textVideosSize() const { return ui->textVideosSize; }
QPushButton* MainWindowController::btnDelVideo() const { return ui->btnDelVideo; }
PlayerView* MainWindowController::playerView() const { return ui->playerView; }
QWebEngineView* MainWindowController::webView() const { return ui->webView; }
TabsView* MainWindowController::tabsView() const { return ui->tabsView; }
