// The window as a user drives it: start-up, the library table, deleting,
// videos without GPS and the Baidu page's table lock.
#include "MapBridge.h"
#include "PlayerView.h"
#include "SideFileBuilder.h"
#include "StringTable.h"
#include "WindowHarness.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMediaPlayer>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest/QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

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

TEST(StartUp, MakesTheDataDirectoryLogsItAndShowsAnEmptyLibrary) {
    LogCapture log;
    WindowHarness harness;
    harness.start();
    MainWindowController& window = harness.window();
    EXPECT_EQ(window.basedir(), harness.home().dataDirectory());
    EXPECT_TRUE(MainWindowController::isDirExist(window.basedir()));
    EXPECT_EQ(window.curSelVideoIndex(), -1);
    EXPECT_EQ(window.tableViewVideos()->rowCount(), 0);
    EXPECT_EQ(window.textVideosSize()->text(),
              QStringLiteral("0 ") + StringTable::load(QStringLiteral("InfoPlist"), QLocale()).localizedString(QStringLiteral("VideoSize")));
    EXPECT_FALSE(window.btnDelVideo()->isEnabled() || window.playerView()->player());
    EXPECT_FALSE(QFile::exists(harness.home().catalogue()));
    EXPECT_TRUE(log.messages().contains(QStringLiteral("basedir: ") + harness.home().dataDirectory()));
    EXPECT_FALSE(log.messages().contains(QStringLiteral("Create basedir Directory Failed.")));
    // The page reports ready through window.native.
    EXPECT_TRUE(WaitFor([&window] { return window.isJSLoaded(); }));
}

TEST(StartUp, AFileInTheWayOfTheDataDirectoryIsLoggedAndTheProgramRunsOn) {
    LogCapture log;
    WindowHarness harness;
    QDir().mkpath(harness.home().documents());
    WriteBytes(harness.home().dataDirectory(), QByteArray("in the way"));
    harness.start();
    EXPECT_TRUE(log.messages().contains(QStringLiteral("Create basedir Directory Failed.")));

    harness.addToLibrary({harness.writeVideo(QStringLiteral("a.MOV"), "x")});
    EXPECT_EQ(harness.window().tableViewVideos()->rowCount(), 0);
    EXPECT_EQ(ReadBytes(harness.home().dataDirectory()), QByteArray("in the way"));
}

TEST(StartUp, TheLocaleCountryChoosesTheMapPage) {
    const std::pair<QLocale, QString> cases[] = {
        {kChina, QStringLiteral("BaiduMap")},
        {QLocale(QLocale::Chinese, QLocale::Taiwan), QStringLiteral("GoogleMap")},
        {QLocale(QLocale::German, QLocale::Germany), QStringLiteral("GoogleMap")},
        {QLocale::c(), QStringLiteral("GoogleMap")},  // no country at all
    };
    for (const auto& [locale, page] : cases) {
        WindowHarness harness(locale);
        harness.start();
        EXPECT_EQ(harness.window().webView()->page()->requestedUrl(), MapPageUrl(page)) << locale.name().toStdString();
    }
}

TEST(Library, DeletingWithFiveVideosLoadsTheVideoThatMovesIntoTheRow) {
    WindowHarness harness;
    harness.start();
    QStringList paths;
    for (int i = 0; i < 5; ++i) paths << harness.writeVideo(QStringLiteral("clip%1.MOV").arg(i), "no GPS here");
    harness.addToLibrary(paths);
    MainWindowController& window = harness.window();
    ASSERT_EQ(window.tableViewVideos()->rowCount(), 5);
    EXPECT_EQ(window.tableViewVideos()->item(2, 0)->text(), QStringLiteral("clip2.MOV"));

    harness.select(1);
    EXPECT_EQ(LoadedVideo(window), paths[1]);
    window.delVideoPress();
    EXPECT_EQ(window.tableViewVideos()->rowCount(), 4);
    EXPECT_EQ(window.curSelVideoIndex(), 1);
    EXPECT_EQ(window.tableViewVideos()->currentRow(), 1);
    EXPECT_EQ(LoadedVideo(window), paths[2]);
    EXPECT_TRUE(QFile::exists(paths[1]));  // only the library entry goes

    harness.select(3);
    EXPECT_EQ(LoadedVideo(window), paths[4]);
    window.delVideoPress();
    EXPECT_EQ(window.curSelVideoIndex(), 2);
    EXPECT_EQ(LoadedVideo(window), paths[3]);

    const QByteArray catalogue = ReadBytes(harness.home().catalogue());
    EXPECT_TRUE(!catalogue.contains("clip1.MOV") && !catalogue.contains("clip4.MOV") && catalogue.contains("clip3.MOV"));
}

TEST(Library, DeletingTheOnlyVideoEmptiesMapInstrumentsAndTable) {
    WindowHarness harness;
    harness.start();
    harness.useRecordingPage();
    const QString video = harness.writeVideo(QStringLiteral("drive.MOV"), "x");
    harness.writeVideo(QStringLiteral("drive.GMAP"), JoinSideFile({SideFileRecord(301234, 0), SideFileRecord(301300, 1)}));
    harness.addToLibrary({video});
    harness.select(0);
    MainWindowController& window = harness.window();
    ASSERT_TRUE(window.track() && !window.track()->isEmpty());
    harness.takeRecorded();

    // The Delete key in the library does what the delete button does.
    QApplication::setActiveWindow(&window);
    window.tableViewVideos()->setFocus();
    QTest::keyClick(window.tableViewVideos(), Qt::Key_Delete);
    EXPECT_EQ(window.tableViewVideos()->rowCount(), 0);
    EXPECT_EQ(window.curSelVideoIndex(), -1);
    EXPECT_FALSE(window.btnDelVideo()->isEnabled() || window.track() || window.playerView()->player());
    EXPECT_EQ(Describe(harness.takeRecorded()), QStringLiteral("clearPoints() add(s:1, s:2)"));

    // The timer runs on, and its ticks find no player.
    EXPECT_TRUE(window.timer().isActive());
    window.timerUpdate();
    WaitFor([] { return false; }, 900);
    EXPECT_EQ(Describe(harness.takeRecorded()), QString());
}

// Cancels the open panel once it is up.
void CancelOpenPanel() {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll] {
        auto* panel = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!panel) return;
        poll->stop();
        poll->deleteLater();
        panel->reject();
    });
    poll->start(20);
}

TEST(Library, AddingEmptiesPlayerAndMapEvenWhenCancelledAndKeepsTheSelection) {
    WindowHarness harness;
    harness.start();
    harness.useRecordingPage();
    MainWindowController& window = harness.window();
    const QString a = harness.writeVideo(QStringLiteral("a.MOV"), "x");
    harness.addToLibrary({a});
    harness.select(0);
    ASSERT_TRUE(window.playerView()->player());
    harness.takeRecorded();

    CancelOpenPanel();
    window.addVideoPress();
    EXPECT_FALSE(window.playerView()->player());
    EXPECT_EQ(Describe(harness.takeRecorded()), QStringLiteral("clearPoints() add(s:1, s:2)"));

    // Two files chosen at once are appended in the panel's order, once each.
    harness.addToLibrary({harness.writeVideo(QStringLiteral("c.ts"), "x"),
                          harness.writeVideo(QStringLiteral("b.mp4"), "x"), a});
    QStringList names;
    for (const VideoEntry& entry : window.arrayVideos()) names << QFileInfo(entry.path).fileName();
    EXPECT_EQ(names, (QStringList{QStringLiteral("a.MOV"), QStringLiteral("c.ts"), QStringLiteral("b.mp4")}));

    // The row stays selected, and selecting it again does not reload it.
    EXPECT_EQ(window.tableViewVideos()->currentRow(), 0);
    harness.select(0);
    EXPECT_FALSE(window.playerView()->player());
}

TEST(Loading, AVideoWithoutGPSShowsTheAlertStopsTheTimerAndFreesTheTable) {
    WindowHarness harness(kChina);
    harness.start();
    harness.useRecordingPage();
    MainWindowController& window = harness.window();
    window.onJSLoaded();
    const QString withGPS = harness.writeVideo(QStringLiteral("drive.MOV"), MovWithGPS(3));
    const QString without = harness.writeVideo(QStringLiteral("parked.MOV"), "no GPS here");
    harness.addToLibrary({withGPS, without});

    harness.select(0);
    EXPECT_FALSE(window.tableViewVideos()->isEnabled());  // until the Baidu page has drawn
    EXPECT_TRUE(window.timer().isActive());
    window.AddLineComplete();
    EXPECT_TRUE(window.tableViewVideos()->isEnabled());
    const std::shared_ptr<GPSTrack> drawn = window.track();

    harness.select(1);
    QMessageBox* alert = OpenAlert(window);
    ASSERT_TRUE(alert);
    const StringTable strings = StringTable::load(QStringLiteral("InfoPlist"), QLocale());
    EXPECT_EQ(alert->text(), strings.localizedString(QStringLiteral("NoGPSInfo")));
    EXPECT_EQ(alert->windowModality(), Qt::WindowModal);
    ASSERT_EQ(alert->buttons().size(), 1);
    EXPECT_EQ(alert->buttons().first()->text(), strings.localizedString(QStringLiteral("OK")));
    EXPECT_TRUE(window.tableViewVideos()->isEnabled());
    EXPECT_FALSE(window.timer().isActive());
    EXPECT_TRUE(window.track()->isEmpty());
    EXPECT_EQ(LoadedVideo(window), without);
    alert->buttons().first()->click();
}

TEST(Loading, UnderTheGooglePageTheTableIsNeverLocked) {
    WindowHarness harness;
    harness.start();
    harness.useRecordingPage();
    harness.window().onJSLoaded();
    harness.addToLibrary({harness.writeVideo(QStringLiteral("drive.MOV"), MovWithGPS(2))});
    harness.select(0);
    EXPECT_TRUE(harness.window().tableViewVideos()->isEnabled());
    EXPECT_TRUE(harness.window().timer().isActive());
}

TEST(Loading, TheSideFileWinsOverEmbeddedData) {
    WindowHarness harness;
    harness.start();
    const QString video = harness.writeVideo(QStringLiteral("drive.2015.MOV"), MovWithGPS(5));
    harness.writeVideo(QStringLiteral("drive.2015.GMAP"),
                       JoinSideFile({SideFileRecord(301234, 0), SideFileRecord(301234, 1)}));
    harness.addToLibrary({video});
    harness.select(0);
    ASSERT_TRUE(harness.window().track());
    EXPECT_EQ(harness.window().track()->pointArray().size(), 2u);
    EXPECT_EQ(harness.window().lineArray().size(), 4u);
    ASSERT_TRUE(harness.window().firstPoint());
    EXPECT_NEAR(harness.window().firstPoint()->lat, 22 + 301234 / 600000.0, 1e-9);
    EXPECT_EQ(harness.window().curMovieCreatedDate(), harness.window().arrayVideos()[0].creationDate);
}

}  // namespace
