// The player's two paths that must feel instant, on a 10,000-point drive:
// from the selection of a clip to its polyline drawn in the map page, and one
// playback tick with both instruments. WebEngine needs a display or the
// offscreen platform, and as root QTWEBENGINE_DISABLE_SANDBOX=1:
//   QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 kolvar_app_bench
#include "MainWindowController.h"
#include "MediaBackend.h"
#include "SideFileBuilder.h"
#include "TabsView.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int kTrackPoints = 10000;
constexpr int kWaitLimitMs = 60000;

bool WaitFor(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(kWaitLimitMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// A side file of 10,000 one-second records winding north-east.
std::string DriveSideFile() {
    std::vector<std::string> lines;
    lines.reserve(kTrackPoints);
    for (int i = 0; i < kTrackPoints; ++i) {
        const std::string position =
            SideFilePosition('N', 22, 300000 + 3 * i + (i / 50) % 7, 'E', 113, 300000 + 4 * i);
        lines.push_back(SideFileRecordLine(position, SideFileTimestamp(2015, 6, 15, 9 + i / 3600, i / 60 % 60, i % 60)));
    }
    return JoinSideFile(lines);
}

// The window with the Google page and two copies of the drive in its library,
// so that selecting one and then the other loads each time.
struct Player {
    QTemporaryDir home;
    std::unique_ptr<MainWindowController> window;

    Player() {
        qputenv("HOME", home.path().toUtf8());
        QDir(home.path()).mkpath(QStringLiteral("videos"));
        const std::string sideFile = DriveSideFile();
        window = std::make_unique<MainWindowController>();
        window->resize(1280, 800);
        window->show();
        window->windowDidLoad();
        for (const QString& name : {QStringLiteral("a"), QStringLiteral("b")}) {
            const QString base = home.filePath(QStringLiteral("videos/") + name);
            QFile video(base + QStringLiteral(".MOV"));
            video.open(QIODevice::WriteOnly);
            QFile side(base + QStringLiteral(".GMAP"));
            side.open(QIODevice::WriteOnly);
            side.write(sideFile.data(), static_cast<qint64>(sideFile.size()));
            side.close();
            window->importVideo(video.fileName());
        }
        window->refreshVideoTableView();
        WaitFor([this] { return window->isJSLoaded(); });
    }

    // Vertices of the line the page shows; asked after every earlier call.
    int drawnVertices() {
        int vertices = -1;
        bool answered = false;
        window->webView()->page()->runJavaScript(
            QStringLiteral("(window.kolvarMapState && kolvarMapState().line) ? kolvarMapState().line.length : 0"),
            [&](const QVariant& value) {
                vertices = value.toInt();
                answered = true;
            });
        WaitFor([&answered] { return answered; });
        return vertices;
    }
};

Player* player = nullptr;

void SelectionToDrawnPolyline(benchmark::State& state) {
    int row = 0;
    for (auto _ : state) {
        row = 1 - row;
        player->window->tableViewVideos()->selectRow(row);
        // The track is read on a worker thread; the line is drawn once it is in.
        WaitFor([] { return !player->window->isLoading(); });
        if (player->drawnVertices() != kTrackPoints) {
            state.SkipWithError("the page did not draw the track");
            return;
        }
    }
    state.counters["points"] = kTrackPoints;
}
BENCHMARK(SelectionToDrawnPolyline)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

void TimerTickWithBothInstruments(benchmark::State& state) {
    if (!player->window->timer().isActive()) player->window->tableViewVideos()->selectRow(0);
    for (auto _ : state) {
        player->window->timerUpdate();
        // The tick's page calls are delivered between ticks, as in the event loop.
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(TimerTickWithBothInstruments)->Unit(benchmark::kMillisecond)->UseRealTime();

// The instruments alone at advancing playback times, as during playback.
void InstrumentsAtAdvancingTime(benchmark::State& state) {
    TabsView* tabs = player->window->tabsView();
    float t = 0;
    for (auto _ : state) {
        tabs->showTime(t);
        t += 400;
        if (t > kTrackPoints * 1000.0f) t = 0;
    }
}
BENCHMARK(InstrumentsAtAdvancingTime)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    ChooseMediaBackend();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    Player loaded;
    if (!loaded.window->isJSLoaded()) {
        std::fprintf(stderr, "the map page did not load\n");
        return 1;
    }
    player = &loaded;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
