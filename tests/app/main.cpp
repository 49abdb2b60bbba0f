#include "MediaBackend.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The window needs a display and the web view a sandbox it cannot have as
// root; the tests use the offscreen platform and run the web view unsandboxed.
// Nothing may reach the real home folder, so HOME and the XDG folders start
// out in a temporary one (each test that opens a window sets its own).
int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    for (const char* xdg : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
        qputenv(xdg, QDir(home.path()).filePath(QString::fromLatin1(xdg)).toUtf8());
    }
    ChooseMediaBackend();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
