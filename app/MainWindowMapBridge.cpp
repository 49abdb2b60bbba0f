#include "MainWindowController.h"

#include "MapBridge.h"
#include "MapCalls.h"
#include "MyLocale.h"
#include "ui_MainWindowController.h"

#include <QTableWidget>
#include <QWebEngineView>

void MainWindowController::loadMapPage() {
    auto* page = new MapPage(ui->webView);
    ui->webView->setPage(page);
    mapBridge = new MapBridge(
        page, [this] { onJSLoaded(); }, [this] { AddLineComplete(); }, this);
    // Calls made before the page has defined its functions are lost, so videos
    // named on the command line wait for the page.
    connect(page, &QWebEnginePage::loadFinished, this, [this] {
        if (!pendingSelection.isEmpty()) selectPendingVideo();
    });
    ui->webView->load(MapPageUrl(MyLocale::isCountryChina() ? QStringLiteral("BaiduMap")
                                                             : QStringLiteral("GoogleMap")));
}

void MainWindowController::sendToPage(const QVector<PageCall>& calls) {
    if (mapBridge) mapBridge->call(calls);
}

void MainWindowController::onJSLoaded() { pageReady = true; }

void MainWindowController::AddLineComplete() { ui->tableViewVideos->setEnabled(true); }

void MainWindowController::clearPoints() { sendToPage(ClearPointsCalls()); }

void MainWindowController::moveAndCenter(const QJsonArray& args) { sendToPage(MoveAndCenterCalls(args)); }
