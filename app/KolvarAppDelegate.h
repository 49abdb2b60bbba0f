#pragma once

#include <QStringList>

#include <memory>

class MainWindowController;

// Creates the one window and shows it when the application has launched.
class KolvarAppDelegate {
public:
    KolvarAppDelegate();
    ~KolvarAppDelegate();

    // Shows the window and runs its start-up; the videos given are imported
    // and the first is opened.
    void applicationDidFinishLaunching(const QStringList& videos);
    // Videos a later start handed over: imported, the first opened, the
    // window brought to the front.
    void applicationOpenFiles(const QStringList& videos);
    // Closing the one window ends the program.
    bool applicationShouldTerminateAfterLastWindowClosed() const { return true; }

    // Created on first use.
    MainWindowController& mainWindowController();
    void setMainWindowController(std::unique_ptr<MainWindowController> controller);

private:
    std::unique_ptr<MainWindowController> controller;
};
