// Drops of files and folders on the window's three panes, the settings
// dialog and the remembered window layout.
#include "DroppedFiles.h"
#include "NoticeBanner.h"
#include "PlayerView.h"
#include "SettingsDialog.h"
#include "VolumeControl.h"
#include "WindowHarness.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QSplitter>
#include <QTreeWidget>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

// A folder with clips at three depths in mixed letter case and a note.
class ClipFolder {
public:
    ClipFolder() {
        for (const char* name : {"a.MP4", "sub/b.mov", "sub/deeper/C.Mov", "sub/notes.txt"}) write(name);
    }
    QString path() const { return dir.path(); }
    QString file(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QString write(const char* name) { return WriteBytes(file(name), std::string("x")); }

private:
    QTemporaryDir dir;
};

QList<QUrl> Urls(const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    return urls;
}

// Drags the URLs onto the widget and drops them, as a file manager would.
void Drop(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_TRUE(drop.isAccepted());
}

TEST(Window, DropsOnEachPaneAndTheirBoundsPreferencesAndTheLayoutKeptAcrossAClose) {
    WindowHarness harness;
    harness.start();
    MainWindowController& window = harness.window();
    ASSERT_TRUE(WaitFor([&] { return window.isJSLoaded() && window.webView()->focusProxy(); }));
    const QUrl mapPage = window.webView()->url();
    ClipFolder clips;
    // A walk stops at either bound, and an empty folder is named.
    QDir().mkpath(clips.file("empty"));
    for (const auto& [maxVideos, maxEntries] : {std::pair{2, 100}, std::pair{10, 3}}) {
        const DroppedFiles got = CollectDroppedFiles(Urls({clips.path()}), maxVideos, maxEntries);
        EXPECT_LE(got.paths.size(), 2) << maxVideos;
        EXPECT_EQ(got.cappedFolders.size(), 1) << maxVideos;
    }
    const DroppedFiles empty = CollectDroppedFiles(Urls({clips.file("empty")}), 10, 100);
    EXPECT_TRUE(empty.paths.isEmpty());
    EXPECT_EQ(empty.emptyFolders, QStringList{clips.file("empty")});

    const QString note = clips.write("readme.txt");
    const QString single = clips.write("single.AVI");
    const struct {
        const char* pane;
        QWidget* target;
        QStringList dropped;
        QString opened;
        int library;
    } cases[] = {
        {"library", window.tableViewVideos()->viewport(), {single}, single, 1},
        {"video", window.playerView(), {clips.path() + "/sub"}, clips.file("sub/b.mov"), 3},
        {"map", window.webView()->focusProxy(), {note, clips.path()}, clips.file("a.MP4"), 4},
    };
    for (const auto& test : cases) {
        Drop(test.target, Urls(test.dropped));
        EXPECT_EQ(window.arrayVideos().size(), test.library) << test.pane;
        EXPECT_TRUE(WaitFor([&] {
            const int row = window.curSelVideoIndex();
            return row >= 0 && window.arrayVideos()[row].path == test.opened;
        })) << test.pane;
        harness.waitForLoad();
    }
    EXPECT_EQ(window.webView()->url(), mapPage);
    const QString notices = window.noticeBanner()->notices().join(u'\n');
    EXPECT_TRUE(notices.contains(QDir::toNativeSeparators(note))) << notices.toStdString();

    // Preferences change the tile source and refuse an unusable address.
    const struct {
        QString tiles;
        QString url;
        bool accepted;
        QString expected;  // the tile source in the window and the file afterwards
    } tileCases[] = {
        {"custom", "ftp://tiles.example/{z}/{x}/{y}.png", false, "openstreetmap"},
        {"custom", "https://tiles.example/{z}/{x}/{y}.png", true, "custom"},
        {"opentopomap", "", true, "opentopomap"},
    };
    for (const auto& test : tileCases) {
        window.showPreferences();
        auto* dialog = window.findChild<SettingsDialog*>();
        ASSERT_NE(dialog, nullptr);
        dialog->tilesBox()->setCurrentIndex(dialog->tilesBox()->findData(test.tiles));
        dialog->customUrlEdit()->setText(test.url);
        dialog->accept();
        EXPECT_EQ(dialog->isVisible(), !test.accepted) << test.url.toStdString();
        EXPECT_EQ(dialog->problemLabel()->isVisible(), !test.accepted);
        EXPECT_EQ(window.currentSettings().mapTiles().id, test.expected);
        EXPECT_EQ(Settings::load().mapTiles().id, test.expected);
        delete dialog;
    }
    // The custom address stays for the next time it is chosen.
    EXPECT_EQ(Settings::load().customTilesUrl(), "https://tiles.example/{z}/{x}/{y}.png");

    // The size, splitters and volume survive a close; a damaged layout file is ignored.
    window.resize(1111, 777);
    auto* library = window.findChild<QSplitter*>("librarySplitter");
    auto* videoMap = window.findChild<QSplitter*>("videoMapSplitter");
    library->setSizes({333, 700});
    videoMap->setSizes({200, 600});
    const QList<int> librarySizes = library->sizes(), videoMapSizes = videoMap->sizes();
    window.findChild<VolumeControl*>()->setVolume(37);
    window.findChild<VolumeControl*>()->toggleMute();
    window.close();

    MainWindowController second;
    second.show();
    second.windowDidLoad();
    EXPECT_EQ(second.size(), QSize(1111, 777));
    EXPECT_EQ(second.findChild<QSplitter*>("librarySplitter")->sizes(), librarySizes);
    EXPECT_EQ(second.findChild<QSplitter*>("videoMapSplitter")->sizes(), videoMapSizes);
    EXPECT_EQ(second.findChild<VolumeControl*>()->volume(), 37);
    EXPECT_TRUE(second.findChild<VolumeControl*>()->isMuted());
    second.close();

    WriteBytes(Settings::windowLayoutPath(), QByteArray("[window]\ngeometry=\x01\xff@ByteArray(zz)\n[splitters]\nlibrarySplitter=7\n"));
    MainWindowController damaged;
    damaged.show();
    damaged.windowDidLoad();
    EXPECT_EQ(damaged.findChild<QSplitter*>("librarySplitter")->sizes().size(), 2);
    EXPECT_GT(damaged.width(), 0);
}

}  // namespace
