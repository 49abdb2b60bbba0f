// The library at the size of a camera's card and beyond: importing 1,000
// clips of 150 MB (sparse files that open with a real movie header and are
// named by their start, as dash cams name them), and opening a library of
// 2,000 clips as far as its drives in the tree (catalogue, clip cache,
// grouping, filling). Run offscreen:
//   QT_QPA_PLATFORM=offscreen kolvar_library_bench
#include "ClipCache.h"
#include "ClipImport.h"
#include "LibraryDrives.h"
#include "LibraryTree.h"
#include "MovBuilder.h"
#include "VideoCatalogue.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

constexpr int64_t kClipBytes = 150ll << 20;

// count clips of a minute each, in drives of 30, front and rear alternating
// folders, written as a header followed by a hole to the clip's size.
QString WriteCard(const QTemporaryDir& dir, int count, int64_t bytes) {
    const QString card = dir.filePath(QStringLiteral("card"));
    const std::string header = mov::HeaderOnlyMovie(mov::Mvhd(0, 1000, 60000));
    for (int i = 0; i < count; ++i) {
        const int drive = i / 60, minute = i % 60 / 2;
        const bool front = i % 2 == 0;
        const QString name = QStringLiteral("%1/%2/2026_%3_%4%5%6%7.MP4")
                                 .arg(card, front ? QStringLiteral("Front") : QStringLiteral("Rear"))
                                 .arg(QStringLiteral("%1%2").arg(1 + drive / 28 % 12, 2, 10, QChar(u'0')).arg(1 + drive % 28, 2, 10, QChar(u'0')))
                                 .arg(8 + drive % 10, 2, 10, QChar(u'0'))
                                 .arg(minute, 2, 10, QChar(u'0'))
                                 .arg(QStringLiteral("00_%1").arg(i, 4, 10, QChar(u'0')))
                                 .arg(QLatin1Char(front ? 'F' : 'R'));
        QDir().mkpath(QFileInfo(name).path());
        const std::string path = QFile::encodeName(name).toStdString();
        std::ofstream(path, std::ios::binary) << header;
        std::filesystem::resize_file(path, static_cast<uintmax_t>(bytes));
    }
    return card;
}

void Import(VideoCatalogue& catalogue, ClipCache& cache, const QString& folder) {
    ClipImport import(catalogue, cache);
    QEventLoop loop;
    QObject::connect(&import, &ClipImport::finished, &loop, &QEventLoop::quit);
    import.importPaths({folder}, {});
    loop.exec();
}

void BM_Import1000ClipsOf150MB(benchmark::State& state) {
    const QTemporaryDir dir;
    const QString card = WriteCard(dir, 1000, kClipBytes);
    size_t imported = 0;
    for (auto _ : state) {
        const QTemporaryDir data;
        VideoCatalogue catalogue(data.filePath(QStringLiteral("videos.xml")));
        ClipCache cache(data.filePath(QStringLiteral("clips-cache.json")));
        Import(catalogue, cache, card);
        imported = static_cast<size_t>(catalogue.refresh().size());
    }
    state.counters["clips"] = static_cast<double>(imported);
}
BENCHMARK(BM_Import1000ClipsOf150MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_Open2000ClipLibrary(benchmark::State& state) {
    const QTemporaryDir dir, data;
    const QString card = WriteCard(dir, 2000, 4096);
    const QString catalogueFile = data.filePath(QStringLiteral("videos.xml"));
    const QString cacheFile = data.filePath(QStringLiteral("clips-cache.json"));
    {
        VideoCatalogue catalogue(catalogueFile);
        ClipCache cache(cacheFile);
        Import(catalogue, cache, card);
    }
    QTreeWidget tree;
    ArrangeLibraryTree(tree);
    size_t drives = 0;
    for (auto _ : state) {
        VideoCatalogue catalogue(catalogueFile);
        const QList<VideoEntry> videos = catalogue.refresh();
        ClipCache cache(cacheFile);
        cache.load();
        const LibraryDrives library = GroupLibrary(videos, cache);
        FillLibraryTree(tree, library.drives, videos, tree.palette());
        drives = library.drives.size();
        if (!library.unread.isEmpty()) state.SkipWithError("clips missing from the cache");
    }
    state.counters["drives"] = static_cast<double>(drives);
}
BENCHMARK(BM_Open2000ClipLibrary)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
