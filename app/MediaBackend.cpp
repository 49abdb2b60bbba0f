#include "MediaBackend.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QtGlobal>

namespace {

// Qt 6.4 aborts when QT_MEDIA_BACKEND names a plugin it cannot load, so the
// choice is only made for a plugin that is there.
bool FFmpegPluginInstalled() {
    const QDir plugins(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/multimedia"));
    return QFileInfo::exists(plugins.filePath(QStringLiteral("libffmpegmediaplugin.so")));
}

}  // namespace

void ChooseMediaBackend() {
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND") && FFmpegPluginInstalled()) {
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    }
}
