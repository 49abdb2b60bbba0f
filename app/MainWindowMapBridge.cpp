#include "MainWindowController.h"

#include "KolvarLog.h"
#include "MapBridge.h"
#include "MapCalls.h"
#include "MapProfile.h"
#include "PlayerView.h"
#include "ui_MainWindowController.h"

#include <QTreeWidget>
#include <QWebEngineView>

namespace {

const TileSource& TilesOf(const MapProvider& provider, const Settings& settings) {
    return provider.ownTiles ? *provider.ownTiles : settings.mapTiles();
}

}  // namespace

void MainWindowController::loadMapPage() {
    mapProvider = &LocaleMapProvider();
    const TileSource& tiles = TilesOf(*mapProvider, settings);
    qCInfo(kolvarLog, "map: %s page, %s tiles, coordinate shift: %s", qUtf8Printable(mapProvider->page),
           qUtf8Printable(tiles.id), mapProvider->coordinateShift);
    // The profile outlives the page: both hang from the window, the page
    // deeper, so it goes first.
    auto* page = new MapPage(NewMapProfile(tiles, this), ui->webView);
    ui->webView->setPage(page);
    // The browser's menu offers Back, Reload and View source, and a reload
    // loses the drive.
    ui->webView->setContextMenuPolicy(Qt::NoContextMenu);
    mapBridge = new MapBridge(
        page, [this] { onJSLoaded(); }, [this] { AddLineComplete(); },
        [this](double lat, double lon) { onTrackClicked(lat, lon); }, this);
    // Calls made before the page has defined its functions are lost, so videos
    // named on the command line wait for the page.
    connect(page, &QWebEnginePage::loadFinished, this, [this] {
        if (!pendingSelection.isEmpty()) selectPendingVideo();
    });
    ui->webView->load(MapPageUrl(mapProvider->page));
}

void MainWindowController::sendToPage(const QVector<PageCall>& calls) {
    if (mapBridge) mapBridge->call(calls);
}

void MainWindowController::onJSLoaded() {
    pageReady = true;
    // The page asks for no tiles itself, so none leave before it knows whose.
    sendToPage({SetTilesCall(TilesOf(*mapProvider, settings))});
}

void MainWindowController::AddLineComplete() { ui->tableViewVideos->setEnabled(true); }

void MainWindowController::onTrackClicked(double lat, double lon) {
    GPSPoint nearest;
    if (!loadedTrack || !loadedTrack->getPoint(lat, lon, nearest)) return;
    ui->playerView->seek(static_cast<qint64>(nearest.time));
}

void MainWindowController::clearPoints() { sendToPage(ClearPointsCalls()); }

void MainWindowController::moveAndCenter(const QJsonArray& args) { sendToPage(MoveAndCenterCalls(args)); }
