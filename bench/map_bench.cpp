// A 10,000-point track from the call script to the line drawn in a map page.
// WebEngine needs a display or the offscreen platform, and as root
// QTWEBENGINE_DISABLE_SANDBOX=1:
//   QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 kolvar_map_bench
#include "MapBridge.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWebEngineView>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <optional>

namespace {

constexpr int trackPoints = 10000;
constexpr int waitLimitMs = 60000;

// The page, loaded once and shared by every benchmark.
struct LoadedMap {
    QWebEngineView view;
    MapPage* page = new MapPage(&view);
    bool ready = false;
    MapBridge bridge{page, [this] { ready = true; }, {}, {}};

    explicit LoadedMap(const char* name)
    {
        view.setPage(page);
        view.resize(1024, 768);
        view.show();
        view.load(MapPageUrl(QString::fromLatin1(name)));
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (ready)
                loop.quit();
        });
        poll.start(10);
        QTimer::singleShot(waitLimitMs, &loop, &QEventLoop::quit);
        loop.exec();
    }

    // Runs script and waits for the value of answer, evaluated after it.
    QVariant run(const QString& script, const QString& answer)
    {
        std::optional<QVariant> result;
        QEventLoop loop;
        page->runJavaScript(script);
        page->runJavaScript(answer, [&](const QVariant& value) {
            result = value;
            loop.quit();
        });
        if (!result) {
            QTimer::singleShot(waitLimitMs, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return result.value_or(QVariant());
    }
};

// GoogleMap and BaiduMap, indexed by the benchmark's argument.
LoadedMap* pages[2] = {};

// The calls of one load as the player makes them: every coordinate as text.
QVector<PageCall> loadCalls()
{
    QVector<PageCall> calls{{"clearPoints", {}}};
    calls.reserve(trackPoints + 4);
    for (int i = 0; i < trackPoints; ++i) {
        const double t = double(i) / trackPoints;
        calls.push_back({"addPoint", {NumberText(22.54 + 0.1 * t + 0.002 * std::sin(t * 80.0)),
                                      NumberText(113.93 + 0.15 * t)}});
    }
    calls.push_back({"addPline", {}});
    calls.push_back({"moveMyPosition", {22.54, 113.93}});
    calls.push_back({"flyto", {"22.54", "113.93"}});
    return calls;
}

void BM_PageCallScript(benchmark::State& state)
{
    for (auto _ : state) {
        const QString script = PageCallScript(loadCalls());
        benchmark::DoNotOptimize(script.size());
    }
}
BENCHMARK(BM_PageCallScript)->Unit(benchmark::kMillisecond);

void BM_LoadDrawnInPage(benchmark::State& state)
{
    // Leaflet writes the SVG path while the line is added, so a path with
    // segments means the line is drawn; the next frame only paints it.
    const QString pathDrawn = QStringLiteral(
        "(() => { const path = document.querySelector('.leaflet-overlay-pane path');"
        " return !!path && path.getAttribute('d').length > 1; })()");
    LoadedMap* page = pages[state.range(0)];
    for (auto _ : state) {
        if (!page->run(PageCallScript(loadCalls()), pathDrawn).toBool()) {
            state.SkipWithError("the page drew no line");
            return;
        }
    }
    const QVariant vertices = page->run({}, QStringLiteral("window.kolvarMapState().line.length"));
    if (vertices.toInt() != trackPoints)
        state.SkipWithError("the line does not hold every point");
}
BENCHMARK(BM_LoadDrawnInPage)->ArgName("baidu")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);

    LoadedMap google("GoogleMap");
    LoadedMap baidu("BaiduMap");
    if (!google.ready || !baidu.ready) {
        std::fprintf(stderr, "the map pages did not load\n");
        return 1;
    }
    pages[0] = &google;
    pages[1] = &baidu;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
