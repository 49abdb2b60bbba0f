#pragma once

#include <QJsonArray>
#include <QJsonValue>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QVector>
#include <QWebEnginePage>

#include <functional>

class QWebChannel;

// One call of a map-page function; the arguments reach the page as JSON values.
struct PageCall {
    QString function;
    QJsonArray args;
};

// The map page resource of that name: "GoogleMap" or "BaiduMap".
QUrl MapPageUrl(const QString& name);

// A number as the page receives coordinates in text form: the shortest decimal
// that reads back to the same double, whole numbers without a decimal point.
QString NumberText(double value);

// The script that makes the calls in order, each only when the page defines
// the function, with each argument passed as a JSON value.
QString PageCallScript(const QVector<PageCall>& calls);

// A click on the drawn track, at [lat, lon] in the track's own coordinates.
using TrackClickHandler = std::function<void(double lat, double lon)>;

// What the page reaches as window.native: exactly the three callbacks, each
// handing its argument back.
class NativeBridge : public QObject {
    Q_OBJECT
public:
    NativeBridge(std::function<void()> onLoaded, std::function<void()> onLineComplete,
                 TrackClickHandler onTrackClicked, QObject* parent = nullptr);

    Q_INVOKABLE QJsonValue onJSLoaded(const QJsonValue& value);
    Q_INVOKABLE QJsonValue AddLineComplete(const QJsonValue& value);
    // Anything but two finite numbers is ignored.
    Q_INVOKABLE QJsonValue onTrackClicked(const QJsonValue& value);

private:
    std::function<void()> loaded;
    std::function<void()> lineComplete;
    TrackClickHandler trackClicked;
};

// A web page whose console messages go to the "kolvar" log.
class MapPage : public QWebEnginePage {
    Q_OBJECT
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int lineNumber, const QString& sourceID) override;
};

// Installs window.native in a page from its first script on, sends calls into
// the page and forwards the page's console messages to the log.
class MapBridge : public QObject {
    Q_OBJECT
public:
    MapBridge(QWebEnginePage* page, std::function<void()> onLoaded,
              std::function<void()> onLineComplete, TrackClickHandler onTrackClicked,
              QObject* parent = nullptr);

    // Several calls go to the page as one script evaluation, in order.
    void call(const QVector<PageCall>& calls);
    void call(const QString& function, const QJsonArray& args = {});

private:
    QWebEnginePage* page;
    QWebChannel* channel;
    NativeBridge* native;
};
