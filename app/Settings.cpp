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

QString ConfigFile(const QString& name) {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).filePath(name);
}

bool Written(QSettings& file) {
    file.sync();
    if (file.status() == QSettings::NoError) return true;
    qCWarning(kolvarLog, "%s: cannot be written", qUtf8Printable(file.fileName()));
    return false;
}

const QString kSplitterGroup = QStringLiteral("splitters");
const QString kVolumeKey = QStringLiteral("player/volume");
const QString kMutedKey = QStringLiteral("player/muted");
const QString kUnitsKey = QStringLiteral("display/units");
const QString kSpeedColoursKey = QStringLiteral("map/speedColours");
const QString kImperial = QStringLiteral("imperial");
const QString kMetric = QStringLiteral("metric");

Settings::WindowLayout LoadWindowLayout() {
    QSettings file(Settings::windowLayoutPath(), QSettings::IniFormat);
    Settings::WindowLayout layout;
    layout.geometry = file.value(QStringLiteral("window/geometry")).toByteArray();
    layout.state = file.value(QStringLiteral("window/state")).toByteArray();
    bool number = false;
    const int volume = file.value(kVolumeKey).toInt(&number);
    if (number && volume >= 0 && volume <= 100) layout.volume = volume;
    layout.muted = file.value(kMutedKey, false).toBool();
    file.beginGroup(kSplitterGroup);
    for (const QString& name : file.childKeys()) layout.splitters.insert(name, file.value(name).toByteArray());
    return layout;
}

}  // namespace

QString Settings::path() { return ConfigFile(QStringLiteral("kolvar.conf")); }

QString Settings::windowLayoutPath() { return ConfigFile(QStringLiteral("window.conf")); }

Settings Settings::load() {
    const QSettings file(path(), QSettings::IniFormat);
    Settings settings;
    settings.customUrl = Text(file.value(QStringLiteral("map/customUrl")));
    settings.customAttribution = Text(file.value(QStringLiteral("map/customAttribution")));
    const QString tiles = Text(file.value(QStringLiteral("map/tiles"), settings.tiles.id));
    const std::optional<TileSource> chosen =
        tiles == QLatin1String("custom") ? CustomTileSource(settings.customUrl, settings.customAttribution)
                                         : BuiltInTileSource(tiles);
    if (chosen) {
        settings.tiles = *chosen;
    } else {
        qCWarning(kolvarLog, "%s: map tiles \"%s\" unusable, showing %s", qUtf8Printable(path()),
                  qUtf8Printable(tiles), qUtf8Printable(settings.tiles.id));
    }
    const QString threshold = Text(file.value(QStringLiteral("events/threshold"), settings.threshold));
    bool number = false;
    if (!settings.setEventThreshold(threshold.toDouble(&number)) || !number) {
        qCWarning(kolvarLog, "%s: event threshold \"%s\" unusable, using %g g", qUtf8Printable(path()),
                  qUtf8Printable(threshold), settings.threshold);
    }
    const QString units = Text(file.value(kUnitsKey, kMetric));
    if (units == kImperial) {
        settings.unitSystem = UnitSystem::Imperial;
    } else if (units != kMetric) {
        qCWarning(kolvarLog, "%s: units \"%s\" unknown, showing metric", qUtf8Printable(path()), qUtf8Printable(units));
    }
    const QString colours = Text(file.value(kSpeedColoursKey, QStringLiteral("false")));
    settings.speedColours = colours == QLatin1String("true");
    if (!settings.speedColours && colours != QLatin1String("false")) {
        qCWarning(kolvarLog, "%s: speedColours \"%s\" is neither true nor false, drawing one colour",
                  qUtf8Printable(path()), qUtf8Printable(colours));
    }
    settings.layout = LoadWindowLayout();
    return settings;
}

bool Settings::setMapTiles(const QString& id, const QString& url, const QString& attribution) {
    const bool custom = id == QLatin1String("custom");
    const std::optional<TileSource> chosen = custom ? CustomTileSource(url, attribution) : BuiltInTileSource(id);
    if (!chosen) return false;
    tiles = *chosen;
    if (custom) {
        customUrl = url.trimmed();
        customAttribution = attribution;
    }
    return true;
}

bool Settings::setEventThreshold(double g) {
    if (!(g >= kMinEventThreshold && g <= kMaxEventThreshold)) return false;
    threshold = g;
    return true;
}

bool Settings::save() const {
    QSettings file(path(), QSettings::IniFormat);
    file.setValue(QStringLiteral("map/tiles"), tiles.id);
    file.setValue(QStringLiteral("map/customUrl"), customUrl);
    file.setValue(QStringLiteral("map/customAttribution"), customAttribution);
    file.setValue(QStringLiteral("events/threshold"), threshold);
    file.setValue(kUnitsKey, unitSystem == UnitSystem::Imperial ? kImperial : kMetric);
    file.setValue(kSpeedColoursKey, speedColours ? QStringLiteral("true") : QStringLiteral("false"));
    return Written(file);
}

bool Settings::saveWindowLayout(const WindowLayout& layout) {
    QSettings file(windowLayoutPath(), QSettings::IniFormat);
    file.setValue(QStringLiteral("window/geometry"), layout.geometry);
    file.setValue(QStringLiteral("window/state"), layout.state);
    file.setValue(kVolumeKey, layout.volume);
    file.setValue(kMutedKey, layout.muted);
    file.remove(kSplitterGroup);
    file.beginGroup(kSplitterGroup);
    for (auto splitter = layout.splitters.cbegin(); splitter != layout.splitters.cend(); ++splitter) {
        file.setValue(splitter.key(), splitter.value());
    }
    file.endGroup();
    return Written(file);
}
