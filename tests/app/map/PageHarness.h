#pragma once

#include "MapBridge.h"

#include <QJsonObject>
#include <QPointF>
#include <QVector>
#include <QUrl>
#include <QVariant>
#include <QWebEngineView>

#include <functional>
#include <memory>

// A page in an off-screen web view with the map bridge installed and its two
// callbacks counted. Every wait is bounded, so a broken page fails a test
// instead of hanging it.
class PageHarness {
public:
    // With a profile, the page uses it; the profile must outlive the harness.
    explicit PageHarness(QWebEngineProfile* profile = nullptr);

    // Loads url and waits until the page has called native.onJSLoaded.
    bool loadAndWaitForScript(const QUrl& url);
    bool waitFor(const std::function<bool()>& condition);

    // The value of a script in the page's main world; invalid on timeout.
    QVariant evaluate(const QString& script);
    // What the map pages report through kolvarMapState().
    QJsonObject mapState();

    void call(const QVector<PageCall>& calls) { bridge->call(calls); }
    // A left click at a point of the view, as the mouse makes it.
    void click(QPoint at);

    // Saves the view as NAME.png under KOLVAR_TEST_OUTPUT when it is set.
    void saveScreenshot(const QString& name);

    int loadedCalls = 0;
    int lineCompleteCalls = 0;
    QVector<QPointF> trackClicks;  // (lat, lon) of each click reported

private:
    QWebEngineView view;
    MapPage* page;
    std::unique_ptr<MapBridge> bridge;
};
