#include "KolvarAppDelegate.h"

#include "MainWindowController.h"

KolvarAppDelegate::KolvarAppDelegate() = default;
KolvarAppDelegate::~KolvarAppDelegate() = default;

void KolvarAppDelegate::applicationDidFinishLaunching(const QStringList& videos) {
    MainWindowController& window = mainWindowController();
    window.show();
    window.windowDidLoad();
    window.openVideos(videos);
}

void KolvarAppDelegate::applicationOpenFiles(const QStringList& videos) {
    MainWindowController& window = mainWindowController();
    window.openVideos(videos);
    window.raise();
    window.activateWindow();
}

MainWindowController& KolvarAppDelegate::mainWindowController() {
    if (!controller) controller = std::make_unique<MainWindowController>();
    return *controller;
}

void KolvarAppDelegate::setMainWindowController(std::unique_ptr<MainWindowController> replacement) {
    controller = std::move(replacement);
}
