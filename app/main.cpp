#include "DataDirectory.h"
#include "InstanceChannel.h"
#include "KolvarAppDelegate.h"
#include "MediaBackend.h"
#include "StringTable.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>

int main(int argc, char* argv[]) {
    ChooseMediaBackend();
    // The web view and the video view share GPU contexts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kolvar"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kolvar"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.kolvar.Kolvar"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kolvar.svg")));
    InstallTranslations(QLocale());

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Plays dash-camera clips with their drive on a map."));
    options.addHelpOption();
    options.addPositionalArgument(QStringLiteral("videos"),
                                  QStringLiteral("Videos to add to the library; the first is opened."),
                                  QStringLiteral("[VIDEO...]"));
    options.process(app);

    // The running window resolves nothing against this start's folder.
    QStringList videos;
    for (const QString& video : options.positionalArguments()) videos << QFileInfo(video).absoluteFilePath();
    const QString serverName = InstanceServerName(DataDirectoryPath());
    if (HandToRunningWindow(serverName, videos)) return 0;

    KolvarAppDelegate delegate;
    InstanceServer laterStarts(serverName);
    QObject::connect(&laterStarts, &InstanceServer::videosReceived, &app,
                     [&delegate](const QStringList& handed) { delegate.applicationOpenFiles(handed); });
    app.setQuitOnLastWindowClosed(delegate.applicationShouldTerminateAfterLastWindowClosed());
    delegate.applicationDidFinishLaunching(videos);
    return app.exec();
}
