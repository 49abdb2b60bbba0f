#include "AppTestSupport.h"
#include "CatalogueDocument.h"
#include "ClipCache.h"
#include "ClipImport.h"
#include "MovBuilder.h"
#include "PlayerView.h"
#include "VideoCatalogue.h"
#include "WindowHarness.h"

#include <QFile>
#include <QMediaPlayer>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <tuple>

namespace {

using namespace std::chrono_literals;

// A clip without GPS data, 60 s long by its movie header.
std::string MinuteClip() { return mov::HeaderOnlyMovie(mov::Mvhd(0, 1000, 60000)); }

TEST(ClipCache, AClipIsKnownUntilItsFileChangesAndADamagedCacheIsEmpty) {
    const QTemporaryDir dir;
    const QString video = WriteBytes(dir.filePath(QStringLiteral("2026_1207_101500_001R.MP4")), MinuteClip());
    const QString cacheFile = dir.filePath(QStringLiteral("clips-cache.json"));
    const DriveClip::TimePoint start(1'796'000'000'123ms);
    // No path or channel: the cache gives the file's own.
    const DriveClip clip{.path = {}, .start = start, .durationMs = 60000.5, .timeSource = ClipTimeSource::FileName,
                         .fileNameTime = start - 8h, .clockJump = true, .distanceM = 1234.5};
    const ClipCache::Stamp stamp = *ClipCache::StampOf(video);
    {
        ClipCache cache(cacheFile);
        cache.put(video, stamp, clip);
        ASSERT_TRUE(cache.save());
    }
    ClipCache cache(cacheFile);
    cache.load();
    const auto found = cache.find(video, stamp);
    ASSERT_TRUE(found);
    const auto kept = [](const DriveClip& c) {
        return std::tuple(c.start, c.durationMs, c.timeSource, c.fileNameTime, c.distanceM, c.clockJump);
    };
    EXPECT_EQ(kept(*found), kept(clip));
    EXPECT_EQ(found->channel, CameraChannel::Rear);
    EXPECT_EQ(QFile::decodeName(found->path.c_str()), video);

    const ClipCache::Stamp changed[] = {{stamp.size + 1, stamp.modifiedMs}, {stamp.size, stamp.modifiedMs + 1000}};
    for (const ClipCache::Stamp& other : changed) EXPECT_FALSE(cache.find(video, other));

    const QByteArray damaged[] = {
        "{ not json",
        R"({"clips":[{"path":"/a.MP4","size":1,"modified":2,"start":"noon","duration":1,"source":"gps"}]})",
        R"({"clips":[{"path":"/a.MP4","size":1,"modified":2,"start":3,"duration":-1,"source":"gps"}]})",
        R"({"clips":[{"path":"/a.MP4","size":1,"modified":2,"start":3,"duration":1,"source":"sundial"}]})",
        R"({"clips":{"path":"/a.MP4"}})",
    };
    for (const QByteArray& bytes : damaged) {
        WriteBytes(cacheFile, bytes);
        cache.load();
        EXPECT_EQ(cache.size(), 0) << bytes.constData();
    }
}

// Cancelled at its first clip, an import leaves a whole library of the clips
// read so far, in the walk's order (the sorted paths of the folder and its
// subfolders) and cached; the next import adds the rest.
TEST(ClipImport, CancelKeepsAWholeLibraryOfTheClipsReadAndTheNextImportAddsTheRest) {
    const QTemporaryDir dir;
    const QString card = dir.filePath(QStringLiteral("card"));
    QStringList walked;
    // Mixed letter cases, a subfolder, and a file that is no video.
    for (int i = 0; i < 300; ++i) {
        walked << WriteBytes(QStringLiteral("%1/Movie/%2").arg(card, i % 2 ? QString() : QStringLiteral("sub/")) +
                                 QStringLiteral("2026_1207_%1_%2F.").arg(100000 + i * 100).arg(i, 3, 10, QChar(u'0')) +
                                 (i % 3 ? QStringLiteral("MP4") : QStringLiteral("mov")),
                             MinuteClip());
    }
    WriteBytes(card + QStringLiteral("/Movie/notes.txt"), QByteArray("not a video"));
    walked.sort();
    VideoCatalogue catalogue(dir.filePath(QStringLiteral("videos.xml")));
    ClipCache cache(dir.filePath(QStringLiteral("clips-cache.json")));
    // Runs an import to its end, cancelling it at its first clip when asked; tells whether it was cancelled.
    const auto run = [&](ClipImport& import, const QSet<QString>& known, bool cancel) {
        bool cancelled = false, over = false;
        QObject::connect(&import, &ClipImport::progress, &import, [&] {
            if (cancel) import.cancel();
        });
        QObject::connect(&import, &ClipImport::finished, &import, [&](bool c) { cancelled = c, over = true; });
        import.importPaths({card}, known);
        EXPECT_TRUE(WaitFor([&] { return over; }));
        return cancelled;
    };
    const QString before = walked[5];
    catalogue.importVideo(before);
    {
        ClipImport import(catalogue, cache);
        EXPECT_TRUE(run(import, {before}, true));
        const QStringList added = StoredPaths(catalogue.filePath()).mid(1);
        ASSERT_EQ(added.size(), import.added());
        EXPECT_GE(added.size(), 1);
        QStringList expected = walked;
        expected.removeAll(before);
        EXPECT_EQ(added, expected.mid(0, added.size()));
        ClipCache saved(cache);
        saved.load();
        for (const QString& path : added) EXPECT_TRUE(saved.find(path, *ClipCache::StampOf(path))) << path.toStdString();
    }
    ClipImport import(catalogue, cache);
    const QStringList stored = StoredPaths(catalogue.filePath());
    EXPECT_FALSE(run(import, QSet<QString>(stored.begin(), stored.end()), false));
    QStringList all = StoredPaths(catalogue.filePath());
    all.sort();
    EXPECT_EQ(all, walked);
}

// A card of a front and a rear camera, one drive of three minutes and, after
// a gap, one of a minute: imported through the window, it shows as drives.
TEST(LibraryTree, AFolderOfTwoChannelsWithAGapBecomesTwoDrivesNewestFirst) {
    WindowHarness harness;
    harness.start();
    MainWindowController& window = harness.window();
    const QString card = harness.home().path() + QStringLiteral("/card");
    for (const char* name : {"F/2026_1207_101500_001F.MOV", "F/2026_1207_101600_002F.MOV", "F/2026_1207_101700_003F.MOV",
                             "R/2026_1207_101500_001R.MOV", "R/2026_1207_101600_002R.MOV", "F/2026_1207_110000_004F.MOV"})
        WriteBytes(card + u'/' + QLatin1String(name), MinuteClip());
    window.importPaths({card});
    ASSERT_TRUE(WaitFor([&] { return !window.clipImport()->isRunning(); }));

    const QTreeWidget* tree = window.tableViewVideos();
    // Start, end, duration, clips and channels of each drive.
    const QStringList expected[] = {{"11:00:00", "11:01:00", "1:00", "1", "Front"},
                                    {"10:15:00", "10:18:00", "3:00", "5", "Front, Rear"}};
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    for (int i = 0; i < 2; ++i) {
        const QTreeWidgetItem* drive = tree->topLevelItem(i);
        EXPECT_EQ((QStringList{drive->text(1), drive->text(2), drive->text(3), drive->text(5), drive->text(6)}), expected[i]);
        EXPECT_EQ(drive->childCount(), drive->text(5).toInt());
    }
    // Selecting a drive plays its first clip; removing it takes its clips once confirmed.
    window.tableViewVideos()->setCurrentItem(tree->topLevelItem(1));
    ASSERT_TRUE(WaitFor([&] {
        return window.playerView()->player() &&
               window.playerView()->player()->source().toLocalFile().endsWith(QLatin1String("F/2026_1207_101500_001F.MOV"));
    }));
    window.delVideoPress();
    QMessageBox* confirm = window.findChild<QMessageBox*>();
    ASSERT_TRUE(confirm);
    confirm->button(QMessageBox::Yes)->click();
    EXPECT_EQ(window.arrayVideos().size(), 1);
    EXPECT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(StoredPaths(harness.home().catalogue()).size(), 1);
}

}  // namespace
