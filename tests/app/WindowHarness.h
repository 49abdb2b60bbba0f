#pragma once

#include "AppTestSupport.h"
#include "MainWindowController.h"

#include <QJsonArray>
#include <QLocale>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <memory>
#include <string>
#include <vector>

// A main window started in a temporary home under a chosen default locale,
// with a folder for the test's videos.
class WindowHarness {
public:
    explicit WindowHarness(const QLocale& locale = QLocale(QLocale::English, QLocale::UnitedStates));
    ~WindowHarness();

    MainWindowController& window() { return *controller; }
    TemporaryHome& home() { return temporaryHome; }

    // Shows the window and runs its start-up.
    void start();
    // Swaps the map page for one that records every call it receives.
    void useRecordingPage();
    // The calls the recording page received since the last take, oldest
    // first: {"batch", "call"}.
    QJsonArray takeRecorded();

    // Writes a file into the videos folder and returns its path.
    QString writeVideo(const QString& name, const std::string& bytes);
    // Writes NAME.MOV, no video at all, and its side file NAME.GMAP of the
    // records; returns the video's path.
    QString writeSideFileVideo(const QString& name, const std::vector<std::string>& records);
    QString videoPath(const QString& name) const { return videos.filePath(name); }
    // Imports the paths and refreshes the library, as the open panel does.
    void addToLibrary(const QStringList& paths);
    // Starts the window, on the recording page if asked, adds the videos and
    // selects the first.
    void startWith(const QStringList& paths, bool recordingPage = false);
    // Selects a row as a click would, and waits until its track is read.
    void select(int row);
    void waitForLoad();

private:
    TemporaryHome temporaryHome;
    QTemporaryDir videos;
    std::unique_ptr<MainWindowController> controller;
};

// The library tree's clip rows: how many, the one of a library row, and the
// library row of the current item (-1 for none or a drive).
int ClipRows(MainWindowController& window);
QTreeWidgetItem* ClipItem(MainWindowController& window, int row);
int CurrentRow(MainWindowController& window);

// "name(type:value, ...)" per call, "s" for text and "n" for numbers, calls
// separated by blanks.
QString Describe(const QJsonArray& calls);
// The calls that came in the same script evaluation as the first one.
QJsonArray FirstBatch(const QJsonArray& calls);
// The calls of the last script evaluation.
QJsonArray LastBatch(const QJsonArray& calls);

// One side-file record line at N 22 deg latMinutes10k/10000 min,
// E 113 deg 30.1234 min, at 12:00:00 + second on 15 June 2015.
std::string SideFileRecord(int latMinutes10k, int second);
// A MOV whose text track holds GPS texts one second apart, moving north.
std::string MovWithGPS(int fixes);
