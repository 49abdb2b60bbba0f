#include "PageHarness.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QTest>
#include <QTimer>

#include <optional>

namespace {

constexpr int waitLimitMs = 30000;
constexpr int pollMs = 20;

} // namespace

PageHarness::PageHarness(QWebEngineProfile* profile)
    : page(profile ? new MapPage(profile, &view) : new MapPage(&view))
{
    view.setPage(page);
    bridge = std::make_unique<MapBridge>(
        page, [this] { ++loadedCalls; }, [this] { ++lineCompleteCalls; },
        [this](double lat, double lon) { trackClicks.append(QPointF(lat, lon)); });
    view.resize(800, 600);
    view.show();
}

bool PageHarness::loadAndWaitForScript(const QUrl& url)
{
    const int before = loadedCalls;
    view.load(url);
    return waitFor([&] { return loadedCalls > before; });
}

bool PageHarness::waitFor(const std::function<bool()>& condition)
{
    // A fresh event loop per poll: QTest::qWaitFor only looks at its condition
    // once the queue runs dry, which a page in an animation never lets happen.
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > waitLimitMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(pollMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

QVariant PageHarness::evaluate(const QString& script)
{
    // Shared, so that an answer arriving after a timeout has somewhere to go.
    auto result = std::make_shared<std::optional<QVariant>>();
    page->runJavaScript(script, [result](const QVariant& value) { *result = value; });
    waitFor([&] { return result->has_value(); });
    return result->value_or(QVariant());
}

void PageHarness::click(QPoint at)
{
    // The browser takes input through the view's focus proxy.
    QWidget* input = view.focusProxy() ? view.focusProxy() : &view;
    QTest::mouseMove(input, at);
    QTest::mouseClick(input, Qt::LeftButton, Qt::NoModifier, at);
}

QJsonObject PageHarness::mapState()
{
    const QString json = evaluate(QStringLiteral("JSON.stringify(window.kolvarMapState())")).toString();
    return QJsonDocument::fromJson(json.toUtf8()).object();
}

void PageHarness::saveScreenshot(const QString& name)
{
    const QString directory = qEnvironmentVariable("KOLVAR_TEST_OUTPUT");
    if (directory.isEmpty())
        return;
    // Long enough for the page's last change to be painted and reach the view.
    QTest::qWait(500);
    QDir().mkpath(directory);
    view.grab().save(QDir(directory).filePath(name + QStringLiteral(".png")));
}
