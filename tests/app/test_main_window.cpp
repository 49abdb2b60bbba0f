// The window as a user drives it: start-up, the library table, deleting,
// videos without GPS and the Baidu page's table lock.
#include "ClipImport.h"
#include "MapBridge.h"
#include "NoticeBanner.h"
#include "PlayerView.h"
#include "Settings.h"
#include "SideFileBuilder.h"
#include "StringTable.h"
#include "WindowHarness.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QTimer>
#include <QtTest/QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

const QLocale kChina(QLocale::Chinese, QLocale::China);

QString LoadedVideo(MainWindowController& window) {
    QMediaPlayer* player = window.playerView()->player();
    return player ? player->source().toLocalFile() : QString();
}

QMessageBox* OpenAlert(MainWindowController& window) {
    for (QMessageBox* box : window.findChildren<QMessageBox*>()) {
        if (box->isVisible()) return box;
    }
    return nullptr;
}

// However the library file is out of reach, videos still open and play for
// the session, the window says why once, and the file is left as it was.
TEST(StartUp, ALibraryFileOutOfReachIsToldOnceAndVideosStillOpen) {
    const struct {
        QString (TemporaryHome::*file)() const;  // written before start-up
        QByteArray bytes;
        const char* told;
        bool noDataDirectory;
    } cases[] = {
        {&TemporaryHome::catalogue, QByteArray("\0\1 not XML", 11), "cannot be read", false},
        {&TemporaryHome::dataDirectory, "a file in the way", "cannot be saved", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told);
        WindowHarness harness;
        WriteBytes((harness.home().*c.file)(), c.bytes);
        const QByteArray before = ReadBytes(harness.home().catalogue());
        harness.start();
        MainWindowController& window = harness.window();
        const QString drive = harness.writeVideo(QStringLiteral("drive.MOV"), MovWithGPS(3));
        window.openVideos({drive});
        EXPECT_TRUE(WaitFor([&] { return LoadedVideo(window) == drive; }));
        harness.addToLibrary({harness.writeVideo(QStringLiteral("b.MOV"), "x")});

        EXPECT_EQ(ClipRows(window), 2);
        const QStringList notices = window.noticeBanner()->notices();
        EXPECT_TRUE(notices.size() == 1 && notices[0].contains(QLatin1String(c.told))) << notices.join(u'|').toStdString();
        EXPECT_TRUE(window.noticeBanner()->isVisible());
        EXPECT_EQ(ReadBytes(harness.home().catalogue()), before);
        EXPECT_EQ(MainWindowController::isDirExist(window.basedir()), !c.noDataDirectory);
    }
}

// The tile template the window's page shows, once it shows one.
QString PageTiles(WindowHarness& harness) {
    // Shared with the callback, which may answer after a wait gave up.
    const auto tiles = std::make_shared<std::optional<QString>>();
    WaitFor([&] {
        tiles->reset();
        harness.window().webView()->page()->runJavaScript(
            QStringLiteral("window.kolvarMapState ? window.kolvarMapState().tiles : null"),
            [tiles](const QVariant& value) { *tiles = value.toString(); });
        return WaitFor([&] { return tiles->has_value(); }, 2000) && !tiles->value().isEmpty();
    });
    return tiles->value_or(QString());
}

// Answers the open panel once it is up: chooses the file, or cancels without
// one; a panel that will not take the file is cancelled rather than left open.
void AnswerOpenPanel(const QString& file) {
    QTimer::singleShot(0, [file] {
        auto* panel = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(panel);
        QTimer::singleShot(file.isEmpty() ? 0 : 5000, panel, &QDialog::reject);
        if (file.isEmpty()) return;
        panel->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file);
        QMetaObject::invokeMethod(panel, "accept");
    });
}

// Entries out of reach are told and not played; the open panel, cancelled or
// not, keeps the loaded video.
TEST(Library, EntriesOutOfReachAreToldAndNotPlayedAndTheOpenPanelKeepsTheLoadedVideo) {
    WindowHarness harness;
    const QString here = harness.writeVideo(QStringLiteral("here.MOV"), MovWithGPS(3));
    const QString onCard = harness.home().path() + QStringLiteral("/card/DCIM/away.MOV");
    WriteBytes(harness.home().catalogue(), QStringLiteral("<Videos><Video Path=\"%1\"/><Video Path=\"%2\"/></Videos>")
                                               .arg(onCard, here).toUtf8());
    harness.start();
    MainWindowController& window = harness.window();
    ASSERT_EQ(ClipRows(window), 2);
    EXPECT_EQ(ClipItem(window, 0)->foreground(0), window.palette().brush(QPalette::Disabled, QPalette::Text));

    harness.select(0);
    EXPECT_FALSE(window.playerView()->player());
    EXPECT_TRUE(window.noticeBanner()->notices().value(0).contains(QStringLiteral("away.MOV is not available")));
    harness.select(1);
    EXPECT_EQ(LoadedVideo(window), here);
    EXPECT_TRUE(ReadBytes(harness.home().catalogue()).contains(onCard.toUtf8()));
    const std::shared_ptr<GPSTrack> track = window.track();
    ASSERT_TRUE(track && !track->isEmpty());
    for (const QString& chosen : {QString(), harness.writeVideo(QStringLiteral("b.mp4"), "x")}) {
        AnswerOpenPanel(chosen);
        window.addVideoPress();
        ASSERT_TRUE(WaitFor([&] { return !window.clipImport()->isRunning(); }));
        EXPECT_EQ(LoadedVideo(window), here);
        EXPECT_EQ(window.track(), track);
        EXPECT_EQ(window.curSelVideoIndex(), 1);
        EXPECT_EQ(CurrentRow(window), 1);
    }
    EXPECT_EQ(window.arrayVideos().size(), 3);
    // Clicking the loaded row again leaves it playing.
    harness.select(1);
    EXPECT_EQ(window.track(), track);

    // A file deleted behind the library's back: one message, and nothing plays.
    const QString gone = harness.writeVideo(QStringLiteral("gone.MOV"), MovWithGPS(3));
    harness.addToLibrary({gone});
    QFile::remove(gone);
    const qsizetype told = window.noticeBanner()->notices().size();
    harness.select(3);
    EXPECT_FALSE(OpenAlert(window));
    EXPECT_EQ(window.noticeBanner()->notices().mid(told), QStringList{QStringLiteral("File not found: ") + gone});
    EXPECT_FALSE(window.playerView()->player());
}

// A video without GPS is told and stops the timer. Deleting opens the video
// that moves into the row (the one before at the end) and leaves its file;
// deleting the last one empties map, track and table.
TEST(Library, AVideoWithoutGPSIsToldAndDeletingLoadsTheVideoThatMovesIntoTheRow) {
    WindowHarness harness(kChina);
    QStringList paths;
    for (int i = 0; i < 3; ++i)
        paths << harness.writeVideo(QStringLiteral("clip%1.MOV").arg(i), i == 1 ? std::string("no GPS here") : MovWithGPS(3));
    harness.startWith(paths, true);
    MainWindowController& window = harness.window();
    EXPECT_EQ(ClipItem(window, 2)->text(0), QStringLiteral("clip2.MOV"));
    EXPECT_TRUE(window.timer().isActive());
    harness.select(1);
    QMessageBox* alert = OpenAlert(window);
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->text(), StringTable::load(QStringLiteral("InfoPlist"), QLocale()).localizedString(QStringLiteral("NoGPSInfo")));
    // The notice names what was looked for.
    EXPECT_TRUE(alert->informativeText().contains(QStringLiteral("mov-text"))) << alert->informativeText().toStdString();
    EXPECT_TRUE(window.tableViewVideos()->isEnabled());
    EXPECT_FALSE(window.timer().isActive());
    EXPECT_TRUE(window.track()->isEmpty());
    EXPECT_EQ(LoadedVideo(window), paths[1]);
    alert->accept();
    // Which row is selected, and the video that ends up loaded, after each delete.
    const struct {
        int selected;
        int row;
        QString loaded;
    } steps[] = {{1, 1, paths[2]}, {1, 0, paths[0]}};
    for (const auto& step : steps) {
        harness.select(step.selected);
        window.delVideoPress();
        harness.waitForLoad();
        EXPECT_EQ(window.curSelVideoIndex(), step.row);
        EXPECT_EQ(CurrentRow(window), step.row);
        EXPECT_EQ(LoadedVideo(window), step.loaded);
    }
    EXPECT_TRUE(QFile::exists(paths[1]));
    EXPECT_EQ(StoredPaths(harness.home().catalogue()), QStringList{paths[0]});
    ASSERT_TRUE(window.track() && !window.track()->isEmpty());
    harness.takeRecorded();

    // The Delete key in the library does what the delete button does.
    QApplication::setActiveWindow(&window);
    window.tableViewVideos()->setFocus();
    QTest::keyClick(window.tableViewVideos(), Qt::Key_Delete);
    EXPECT_EQ(ClipRows(window), 0);
    EXPECT_EQ(window.curSelVideoIndex(), -1);
    EXPECT_FALSE(window.btnDelVideo()->isEnabled() || window.track() || window.playerView()->player());
    EXPECT_EQ(Describe(harness.takeRecorded()), QStringLiteral("clearPoints() add(s:1, s:2)"));
    // The timer runs on, and its ticks find no player.
    EXPECT_TRUE(window.timer().isActive());
    window.timerUpdate();
    WaitFor([] { return false; }, 900);
    EXPECT_EQ(Describe(harness.takeRecorded()), QString());
}

// The locale's country chooses the page, which keeps its cache under the XDG
// cache folder and shows the tiles its provider names; under a Chinese locale
// the menus, the layout's texts and the InfoPlist keys are Chinese. Under the
// Baidu page the table once locked itself while the line was drawn and lost
// the focus, so the Down key stopped after one row.
TEST(StartUp, TheLocaleChoosesPageAndTextsAndTheDownKeyWalksTheLibrary) {
    const QString custom = QStringLiteral("http://127.0.0.1:9/{z}/{x}/{y}.png");
    // No country at all last: its translations, the English ones, stay for the other tests.
    for (const QLocale& locale : {kChina, QLocale(QLocale::Chinese, QLocale::Taiwan), QLocale::c()}) {
        SCOPED_TRACE(locale.name().toStdString());
        InstallTranslations(locale);
        WindowHarness harness(locale);
        WriteBytes(Settings::path(), "[map]\ntiles=custom\ncustomUrl=" + custom.toUtf8() + "\n");
        harness.start();
        MainWindowController& window = harness.window();
        if (locale == kChina) {
            QStringList menus;
            for (const QAction* menu : window.menuBar()->actions()) menus << menu->text();
            EXPECT_TRUE(menus.contains(QStringLiteral("导出(&E)")) && menus.contains(QStringLiteral("设置(&S)")))
                << menus.join(u' ').toStdString();
            EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("coordinatesButton"))->text(), QStringLiteral("位置"));
            EXPECT_EQ(window.textVideosSize()->text(), QStringLiteral("0 个视频"));
        }
        EXPECT_EQ(window.webView()->page()->requestedUrl(), MapPageUrl(locale == kChina ? QStringLiteral("BaiduMap") : QStringLiteral("GoogleMap")));
        EXPECT_EQ(PageTiles(harness), locale == kChina ? BaiduMapProvider().ownTiles->urlTemplate : custom);
        const QWebEngineProfile* profile = window.webView()->page()->profile();
        EXPECT_FALSE(profile->isOffTheRecord());
        EXPECT_TRUE(profile->cachePath().startsWith(qEnvironmentVariable("XDG_CACHE_HOME") + u'/')) << profile->cachePath().toStdString();

        ASSERT_TRUE(WaitFor([&window] { return window.isJSLoaded(); }));
        QStringList paths;
        for (int i = 0; i < 3; ++i) paths << harness.writeVideo(QStringLiteral("clip%1.MOV").arg(i), MovWithGPS(3));
        harness.addToLibrary(paths);
        harness.select(0);
        QApplication::setActiveWindow(&window);
        window.tableViewVideos()->setFocus();
        for (int row = 1; row < 3; ++row) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            harness.waitForLoad();
            EXPECT_EQ(window.curSelVideoIndex(), row);
        }
        EXPECT_TRUE(window.tableViewVideos()->hasFocus());
    }
}

// The player opens at once; the track is read on a worker while a busy
// indicator shows, a selection made meanwhile wins, and a side file wins
// over the embedded data.
TEST(Loading, TheTrackIsReadOnAWorkerAndTheNewestSelectionWins) {
    WindowHarness harness;
    harness.start();
    harness.useRecordingPage();
    MainWindowController& window = harness.window();
    const QString first = harness.writeVideo(QStringLiteral("first.MOV"), MovWithGPS(5));
    const QString second = harness.writeVideo(QStringLiteral("second.2015.MOV"), MovWithGPS(5));
    harness.writeVideo(QStringLiteral("second.2015.GMAP"), JoinSideFile({SideFileRecord(301234, 0), SideFileRecord(301300, 1)}));
    harness.addToLibrary({first, second});
    window.selectVideo(0);
    const auto* busy = window.findChild<QWidget*>(QStringLiteral("loadingIndicator"));
    EXPECT_EQ(LoadedVideo(window), first);
    EXPECT_TRUE(window.isLoading() && busy && busy->isVisible());
    EXPECT_TRUE(window.tableViewVideos()->isEnabled());
    window.selectVideo(1);
    harness.waitForLoad();
    EXPECT_FALSE(busy->isVisible());
    ASSERT_TRUE(window.track());
    EXPECT_EQ(window.track()->pointArray().size(), 2u);  // the side file's
    EXPECT_EQ(window.curMovieCreatedDate(), window.arrayVideos()[1].creationDate);
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(Describe(harness.takeRecorded()).count(QStringLiteral("addPline()")), 1);
}

// A first start makes the data folder and writes no library; before the map
// page has loaded, the command line adds only videos and says what it refused,
// and a row clicked wins over its first video; the map offers no browser menu.
TEST(StartUp, TheCommandLineBeforeThePageLoadsAndAMapWithoutBrowserMenu) {
    WindowHarness harness;
    harness.start();
    MainWindowController& window = harness.window();
    bool pageLoaded = false;
    QObject::connect(window.webView()->page(), &QWebEnginePage::loadFinished, [&pageLoaded] { pageLoaded = true; });
    EXPECT_EQ(window.basedir(), harness.home().dataDirectory());
    EXPECT_TRUE(MainWindowController::isDirExist(window.basedir()));
    EXPECT_FALSE(window.btnDelVideo()->isEnabled() || window.playerView()->player());
    EXPECT_FALSE(QFile::exists(harness.home().catalogue()));

    const QString a = harness.writeVideo(QStringLiteral("a.MOV"), MovWithGPS(3));
    const QString b = harness.writeVideo(QStringLiteral("b.MOV"), MovWithGPS(3));
    const QString mkv = harness.writeVideo(QStringLiteral("c.mkv"), "x");
    const QString notes = harness.writeVideo(QStringLiteral("notes.txt"), "not a video");
    const QString missing = harness.home().path() + QStringLiteral("/missing.MOV");
    window.openVideos({notes, a, missing, b, mkv});
    ASSERT_FALSE(pageLoaded);
    EXPECT_EQ(window.arrayVideos().size(), 3);
    EXPECT_EQ(window.arrayVideos().value(2).path, mkv);
    EXPECT_EQ(window.noticeBanner()->notices(),
              QStringList{QStringLiteral("Not added: %1 (not a video file), %2 (no such file).").arg(notes, missing)});
    harness.select(1);
    ASSERT_TRUE(WaitFor([&pageLoaded] { return pageLoaded; }));
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(LoadedVideo(window), b);
    EXPECT_EQ(window.curSelVideoIndex(), 1);

    // The page reports ready through window.native, and the browser's menu
    // (Back, Reload, View source) is not offered on the map.
    ASSERT_TRUE(WaitFor([&window] { return window.isJSLoaded(); }));
    QWidget* surface = window.webView()->focusProxy();
    ASSERT_TRUE(surface);
    QTest::mouseClick(surface, Qt::RightButton, {}, surface->rect().center());
    EXPECT_FALSE(WaitFor([] { return QApplication::activePopupWidget() != nullptr; }, 2000));
}

}  // namespace
