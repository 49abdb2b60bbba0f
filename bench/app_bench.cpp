// The player's paths that must feel instant, on a 10,000-point drive: from
// the selection of a clip to its polyline drawn in the map page, and one
// playback tick with both instruments; and from the selection of a three-hour
// drive of 60 clips (10,800 fixes) to its whole route drawn. WebEngine needs a display or the
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
#include <QTreeWidget>
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
constexpr int kDriveClips = 60;
constexpr int kClipSeconds = 180;
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

// One clip's side file of a drive: a record a second from its start.
std::string DriveClipSideFile(int clip) {
    std::vector<std::string> lines;
    for (int s = 0; s < kClipSeconds; ++s) {
        const int i = clip * kClipSeconds + s;
        const std::string position =
            SideFilePosition('N', 22, 300000 + 3 * i + (i / 50) % 7, 'E', 113, 300000 + 4 * i);
        lines.push_back(SideFileRecordLine(position, SideFileTimestamp(2015, 6, 15, 9 + i / 3600, i / 60 % 60, i % 60)));
    }
    return JoinSideFile(lines);
}

void WriteFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Three hours in 60 clips whose files hold no video (the player reports
// them unplayable) but whose side files hold the route.
Drive ThreeHourDrive(const QString& folder) {
    QDir().mkpath(folder);
    Drive drive;
    drive.channels.emplace_back();
    for (int clip = 0; clip < kDriveClips; ++clip) {
        const QString base = QDir(folder).filePath(QStringLiteral("clip%1").arg(clip));
        WriteFile(base + QStringLiteral(".MOV"), {});
        WriteFile(base + QStringLiteral(".GMAP"), DriveClipSideFile(clip));
        DriveClip part;
        part.path = QFile::encodeName(base + QStringLiteral(".MOV")).toStdString();
        part.durationMs = kClipSeconds * 1000.0;
        drive.channels.front().clips.push_back(part);
    }
    return drive;
}

// The window with the Google page and two copies of the drive in its library,
// so that selecting one and then the other loads each time.
struct Player {
    QTemporaryDir home;
    std::unique_ptr<MainWindowController> window;
    Drive drives[2];

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
        for (int d = 0; d < 2; ++d) drives[d] = ThreeHourDrive(home.filePath(QStringLiteral("drive%1").arg(d)));
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
        player->window->selectVideo(row);
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

// Reading the 60 side files on the worker, joining them, the polyline and the page call.
void DriveSelectionToDrawnRoute(benchmark::State& state) {
    int d = 0;
    for (auto _ : state) {
        d = 1 - d;
        player->window->selectDrive(player->drives[d]);
        // Both drives have as many fixes: the page is asked once this one's route was sent.
        WaitFor([] { return !player->window->isLoading(); });
        if (player->drawnVertices() != kDriveClips * kClipSeconds) {
            state.SkipWithError("the page did not draw the route");
            return;
        }
    }
    state.counters["fixes"] = kDriveClips * kClipSeconds;
}
BENCHMARK(DriveSelectionToDrawnRoute)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

void TimerTickWithBothInstruments(benchmark::State& state) {
    if (!player->window->timer().isActive()) player->window->selectVideo(0);
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
