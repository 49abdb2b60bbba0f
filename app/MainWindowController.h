#pragma once

#include "ChannelSync.h"
#include "ClipCache.h"
#include "DriveLoad.h"
#include "Drives.h"
#include "GPSTrack.h"
#include "MapProvider.h"
#include "Settings.h"
#include "StringTable.h"
#include "TrackLoader.h"
#include "VideoCatalogue.h"
#include "VideoEntry.h"

#include <QFuture>
#include <QHash>
#include <QJsonArray>
#include <QList>
#include <QSet>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QVector>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class ClipExport;
class ClipImport;
class MapBridge;
class NoticeBanner;
struct PageCall;
class PlayerView;
class QLabel;
class RecordedTimeLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWebEngineView;
class ShortcutsDialog;
class TabsView;
class TestHooks;
class VideoFullScreen;

namespace Ui {
class MainWindowController;
}

// The window and all application state: the library, the loaded track and its
// polyline, the map page and the playback timer. Its work is split by concern
// over MainWindowStartup.cpp, MainWindowLibrary.cpp, MainWindowLoading.cpp,
// MainWindowMapBridge.cpp, MainWindowPlayback.cpp and MainWindowControls.cpp.
class MainWindowController : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindowController(QWidget* parent = nullptr);
    ~MainWindowController() override;

    // Start-up: reads the settings, chooses and loads the map page, makes the
    // data directory, fills the library and draws the empty instruments.
    void windowDidLoad();
    static bool isDirExist(const QString& path);
    // Imports the files and, once the map page has loaded, selects the first.
    void openVideos(const QStringList& paths);
    // A drop on the window: files as openVideos takes them, folders walked
    // for their videos.
    void openDroppedUrls(const QList<QUrl>& urls);
    // Opens the settings dialog; accepted settings are saved and kept.
    void showPreferences();
    const Settings& currentSettings() const { return settings; }
    // Asks for the selected clip's camera-clock offset and stores it with the clip.
    void editClockOffset();
    // Stores the offset for the loaded clip and shows the times with it; false
    // (with a notice) when the library file cannot keep it.
    bool setClockOffset(int minutes);
    int clockOffset() const { return clipClockOffset; }

    // Library.
    void addVideoPress();
    // Imports a folder with its subfolders, off this thread, with a progress
    // dialog that can cancel it.
    void addFolderPress();
    void importPaths(const QStringList& paths);
    // Removes the selected clip, or the selected drive's clips once confirmed.
    void delVideoPress();
    void importVideo(const QString& path);
    void refreshVideoTableView();
    void tableViewSelectionDidChange();
    // Selects the library row's clip in the tree, as a click does.
    void selectVideo(int index);
    // The library's clips as drives, newest first, as the tree shows them.
    const std::vector<Drive>& libraryDrives() const { return drives; }
    ClipImport* clipImport() const { return importer; }

    // Loading: the player, the track, the instruments, the timer and the map.
    // The player opens at once; the GPS data is read on a worker thread.
    void loadVideo(int32_t index);
    // Plays the drive's clips back to back from its start, with its whole
    // route on the map and its other camera inset; a clip alone is a drive
    // of one. The tracks are read on a worker thread.
    void selectDrive(const Drive& drive);
    // A track is being read for the newest selection.
    bool isLoading() const { return loading; }

    // Map page bridge.
    void onJSLoaded();
    void AddLineComplete();
    // A click on the drawn track: playback moves to when the car was nearest.
    void onTrackClicked(double lat, double lon);
    void clearPoints();
    void moveAndCenter(const QJsonArray& args);

    // Playback synchronisation, on every timer tick.
    void timerUpdate();

    // Player controls: the keys, full-screen video and the drive's events.
    void showShortcuts();
    VideoFullScreen* videoFullScreen() const { return fullScreen; }

    const QString& videoxml() const { return catalogueName; }
    const QString& geoext() const { return sideFileExtension; }
    const QString& basedir() const { return dataDirectory; }
    const std::shared_ptr<GPSTrack>& track() const { return loadedTrack; }
    const std::optional<LatLon>& firstPoint() const { return trackStart; }
    const std::vector<double>& lineArray() const { return polyline; }
    const QString& curMovieCreatedDate() const { return loadedCreationDate; }
    int32_t curSelVideoIndex() const { return selectedIndex; }
    bool isJSLoaded() const { return pageReady; }
    const QList<VideoEntry>& arrayVideos() const { return videos; }

    QTreeWidget* tableViewVideos() const;
    QLabel* textVideosSize() const;
    QPushButton* btnDelVideo() const;
    PlayerView* playerView() const;
    QWebEngineView* webView() const;
    TabsView* tabsView() const;
    NoticeBanner* noticeBanner() const { return notices; }
    ClipExport* clipExport() const { return exports; }
    const QTimer& timer() const { return playbackTimer; }
    RecordedTimeLabel* recordedTimeLabel() const { return recordedTime; }

protected:
    // windowDidResize: the instruments redraw at their new size, for time 0.
    void resizeEvent(QResizeEvent* event) override;
    // Remembers the window's size, place and splitters for the next start.
    void closeEvent(QCloseEvent* event) override;

private:
    // Start-up.
    void arrangeWindow();
    void makeDataDirectory();
    void selectPendingVideo();
    // Desktop: drops, the settings menu and the remembered layout.
    void arrangeDesktop();
    void restoreWindowLayout();
    void arrangePlayerControls();
    // Marks the loaded track's G-sensor events on the seek bar.
    void showEvents();

    // Units and clocks: the recorded time, the clock-offset action, the units
    // and the track's colours as the settings say.
    void arrangeUnitsAndClock();
    void applyDisplaySettings();
    void sendSpeedColours();
    void startClipClock(const QString& videoPath);
    void finishClipClock(const TrackLoad& load);
    void clearClipClock();
    // Library.
    void arrangeImport();
    // Groups the library's clips into drives from the clip cache; clips not
    // read yet stand in by their names and are read in the background.
    void groupDrives();
    void showLibrary();
    void selectRowQuietly(int row);
    void openDrive(int drive);
    void removeDrive(int drive);
    // The tooltip of path's row names when its drive began.
    void showRecordedStart(const QString& path, const QString& start);
    // Loads the row's video, unless its folder is missing.
    void openRow(int row);
    // Tells the user, once per kind, why the library file was not used.
    void reportCatalogueProblem();

    // Loading.
    void startLoad(const Drive& drive);
    // Makes any load under way stale: its result will be dropped.
    void cancelLoad();
    void showLoading(bool on);
    void reportMissingVideo(const QString& path);
    void finishLoad(DriveLoad load);
    void showNoGPSAlert(const QString& reason);
    static QString NoGPSReason(const TrackLoad& load);

    // Map page bridge.
    void loadMapPage();
    void sendToPage(const QVector<PageCall>& calls);

    std::unique_ptr<Ui::MainWindowController> ui;
    Settings settings;
    const MapProvider* mapProvider = &GoogleMapProvider();  // the loaded page's
    MapBridge* mapBridge = nullptr;
    NoticeBanner* notices = nullptr;
    ClipExport* exports = nullptr;
    VideoFullScreen* fullScreen = nullptr;
    QPointer<ShortcutsDialog> shortcutsDialog;
    RecordedTimeLabel* recordedTime = nullptr;
    QAction* clockOffsetItem = nullptr;
    StringTable strings;
    QTimer playbackTimer;
    std::unique_ptr<TestHooks> testHooks;

    QString catalogueName;
    QString sideFileExtension;
    QString dataDirectory;
    std::shared_ptr<GPSTrack> loadedTrack;
    std::optional<LatLon> trackStart;
    std::vector<double> polyline;
    QString loadedCreationDate;
    QString loadedPath;
    int clipClockOffset = 0;
    // When each drive loaded this session began, for the library's tooltips.
    QHash<QString, QString> recordedStarts;
    int32_t selectedIndex = -1;
    bool pageReady = false;
    QList<VideoEntry> videos;
    VideoCatalogue library;
    ClipCache clipCache;
    ClipImport* importer = nullptr;     // the user's imports
    ClipImport* cacheReader = nullptr;  // clips the cache lacks
    QSet<QString> cacheTried;           // read once a session, cached or not
    std::vector<Drive> drives;
    QVector<QTreeWidgetItem*> clipItems;  // per library row
    bool playingDrive = false;            // a drive row, not a clip, was opened last
    QList<VideoCatalogue::Problem> toldProblems;
    quint64 loadGeneration = 0;  // the newest load; an older result is dropped
    QFuture<DriveLoad> runningLoad;
    std::optional<ChannelSync> otherChannel;  // when the drive has a second camera
    bool loading = false;
    QProgressBar* loadingIndicator = nullptr;
    QString pendingSelection;  // a command-line video waiting for the map page
};
