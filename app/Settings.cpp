#include "Settings.h"

#include "KolvarLog.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {

// An unquoted value with a comma reads back as a list.
QString Text(const QVariant& value) {
    return value.typeId() == QMetaType::QStringList ? value.toStringList().join(u',') : value.toString();
}

}  // namespace

QString Settings::path() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("kolvar.conf"));
}

Settings Settings::load() {
    const QSettings file(path(), QSettings::IniFormat);
    Settings settings;
    const QString tiles = Text(file.value(QStringLiteral("map/tiles"), settings.tiles.id));
    const std::optional<TileSource> chosen =
        tiles == QLatin1String("custom") ? CustomTileSource(Text(file.value(QStringLiteral("map/customUrl"))),
                                                            Text(file.value(QStringLiteral("map/customAttribution"))))
                                         : BuiltInTileSource(tiles);
    if (chosen) {
        settings.tiles = *chosen;
    } else {
        qCWarning(kolvarLog, "%s: map tiles \"%s\" unusable, showing %s", qUtf8Printable(path()),
                  qUtf8Printable(tiles), qUtf8Printable(settings.tiles.id));
    }
    return settings;
}
