#include "MapBridge.h"

#include "KolvarLog.h"

#include <QFile>
#include <QJsonDocument>
#include <QWebChannel>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

#include <charconv>
#include <cmath>
#include <utility>

namespace {

const QString nativeScriptName = QStringLiteral("kolvar-native");

// Page side of the bridge: the page sees the three callbacks of window.native
// and nothing else of the C++ object. qwebchannel.js stays private to the
// closure. The browser delivers the program's messages to
// qt.webChannelTransport.onmessage, looked up afresh each time, so only that
// doorway stays visible and the page cannot send raw channel messages. Each
// callback answers at once; calls made before the channel is up are queued.
const char nativeShim[] = R"JS(
  const transport = window.qt && window.qt.webChannelTransport;
  if (transport) {
    const doorway = Object.freeze({
      onmessage: function (message) { if (transport.onmessage) transport.onmessage(message); },
    });
    Object.defineProperty(window, 'qt', { value: Object.freeze({ webChannelTransport: doorway }) });
  }

  let remote = null;
  const pending = [];
  function jsonOf(value) {
    try {
      const text = JSON.stringify(value);
      return text === undefined ? null : JSON.parse(text);
    } catch (e) {
      return null;
    }
  }
  function forward(name, value) {
    const argument = jsonOf(value);
    if (remote) remote[name](argument);
    else pending.push([name, argument]);
  }

  const native = Object.create(null);
  native.onJSLoaded = function (value) { forward('onJSLoaded', value); return value; };
  native.AddLineComplete = function (value) { forward('AddLineComplete', value); return value; };
  native.onTrackClicked = function (value) { forward('onTrackClicked', value); return value; };
  Object.defineProperty(window, 'native', { value: Object.freeze(native), enumerable: true });

  if (transport) {
    new QWebChannel(transport, function (channel) {
      remote = channel.objects.native;
      for (const [name, argument] of pending.splice(0)) remote[name](argument);
    });
  }
)JS";

QString nativeScriptSource()
{
    QFile channelScript(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!channelScript.open(QIODevice::ReadOnly))
        qCWarning(kolvarLog, "qwebchannel.js is missing; the map page cannot call back");
    return QStringLiteral("(function () {\n") + QString::fromUtf8(channelScript.readAll())
         + QString::fromUtf8(nativeShim) + QStringLiteral("})();\n");
}

QWebEngineScript nativeScript()
{
    QWebEngineScript script;
    script.setName(nativeScriptName);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(nativeScriptSource());
    return script;
}

} // namespace

QUrl MapPageUrl(const QString& name)
{
    return QUrl(QStringLiteral("qrc:/map/%1.html").arg(name));
}

QString NumberText(double value)
{
    // JavaScript's own spellings, so that Number() on the page reads them back.
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (value == 0)
        return QStringLiteral("0"); // no sign on a zero coordinate

    // Plain decimals over the range where JavaScript prints them too, so that
    // a whole second such as 100000 never turns into "1e+05".
    const double magnitude = std::fabs(value);
    const auto format = magnitude >= 1e-7 && magnitude < 1e21 ? std::chars_format::fixed
                                                               : std::chars_format::general;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

QString PageCallScript(const QVector<PageCall>& calls)
{
    // The whole batch is one JSON literal; a call's errors end that call only.
    QJsonArray batch;
    for (const PageCall& call : calls)
        batch.append(QJsonArray{call.function, call.args});
    return QStringLiteral(
               "(function (calls) {\n"
               "  for (const [name, args] of calls) {\n"
               "    try {\n"
               "      if (typeof window[name] === 'function') window[name](...args);\n"
               "    } catch (e) {}\n"
               "  }\n"
               "})(%1);")
        .arg(QString::fromUtf8(QJsonDocument(batch).toJson(QJsonDocument::Compact)));
}

NativeBridge::NativeBridge(std::function<void()> onLoaded, std::function<void()> onLineComplete,
                           TrackClickHandler onTrackClicked, QObject* parent)
    : QObject(parent)
    , loaded(std::move(onLoaded))
    , lineComplete(std::move(onLineComplete))
    , trackClicked(std::move(onTrackClicked))
{
}

QJsonValue NativeBridge::onJSLoaded(const QJsonValue& value)
{
    if (loaded)
        loaded();
    return value;
}

QJsonValue NativeBridge::AddLineComplete(const QJsonValue& value)
{
    if (lineComplete)
        lineComplete();
    return value;
}

QJsonValue NativeBridge::onTrackClicked(const QJsonValue& value)
{
    const QJsonArray place = value.toArray();
    if (place.size() != 2 || !place[0].isDouble() || !place[1].isDouble())
        return value;
    const double lat = place[0].toDouble();
    const double lon = place[1].toDouble();
    if (trackClicked && std::isfinite(lat) && std::isfinite(lon))
        trackClicked(lat, lon);
    return value;
}

void MapPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                       int lineNumber, const QString& sourceID)
{
    const QString text = QStringLiteral("map page: %1 (%2:%3)").arg(message, sourceID).arg(lineNumber);
    switch (level) {
    case InfoMessageLevel:
        qCInfo(kolvarLog).noquote() << text;
        break;
    case WarningMessageLevel:
        qCWarning(kolvarLog).noquote() << text;
        break;
    case ErrorMessageLevel:
        qCCritical(kolvarLog).noquote() << text;
        break;
    }
}

MapBridge::MapBridge(QWebEnginePage* page, std::function<void()> onLoaded,
                     std::function<void()> onLineComplete, TrackClickHandler onTrackClicked,
                     QObject* parent)
    : QObject(parent)
    , page(page)
    , channel(new QWebChannel(this))
    , native(new NativeBridge(std::move(onLoaded), std::move(onLineComplete),
                              std::move(onTrackClicked), this))
{
    channel->registerObject(QStringLiteral("native"), native);
    page->setWebChannel(channel, QWebEngineScript::MainWorld);
    QWebEngineScriptCollection& scripts = page->scripts();
    for (const QWebEngineScript& old : scripts.find(nativeScriptName))
        scripts.remove(old);
    scripts.insert(nativeScript());
}

void MapBridge::call(const QVector<PageCall>& calls)
{
    if (!calls.isEmpty())
        page->runJavaScript(PageCallScript(calls), QWebEngineScript::MainWorld);
}

void MapBridge::call(const QString& function, const QJsonArray& args)
{
    call(QVector<PageCall>{PageCall{function, args}});
}
