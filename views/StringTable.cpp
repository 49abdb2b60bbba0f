#include "StringTable.h"

#include <QCoreApplication>
#include <QTranslator>

// Outside any namespace, as Q_INIT_RESOURCE requires. Referencing the resource
// also keeps the linker from dropping it out of the static library.
static void initTranslationResources() { Q_INIT_RESOURCE(translations); }

namespace {

// The keys the window and the instruments look up, for the translation tools.
[[maybe_unused]] constexpr const char* kInfoPlistKeys[] = {
    QT_TRANSLATE_NOOP("InfoPlist", "NoGPSInfo"),    QT_TRANSLATE_NOOP("InfoPlist", "OK"),
    QT_TRANSLATE_NOOP("InfoPlist", "VideoSize"),    QT_TRANSLATE_NOOP("InfoPlist", "VideoSizeOne"),
    QT_TRANSLATE_NOOP("InfoPlist", "DistFromStart"), QT_TRANSLATE_NOOP("InfoPlist", "DistToEnd"),
    QT_TRANSLATE_NOOP("InfoPlist", "m"),            QT_TRANSLATE_NOOP("InfoPlist", "CurrentSpeed"),
};

const QString kTranslationsFolder = QStringLiteral(":/i18n");

}  // namespace

bool LoadTranslations(QTranslator& translator, const QLocale& locale) {
    static const bool resourcesReady = (initTranslationResources(), true);
    Q_UNUSED(resourcesReady);
    // "kolvar_zh_Hans_CN", "kolvar_zh_Hans", ... as the locale's languages give them.
    if (translator.load(locale, QStringLiteral("kolvar"), QStringLiteral("_"), kTranslationsFolder)) return true;
    return translator.load(QStringLiteral("kolvar_en"), kTranslationsFolder);
}

void InstallTranslations(const QLocale& locale) {
    static QTranslator* installed = nullptr;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    installed = new QTranslator;
    LoadTranslations(*installed, locale);
    QCoreApplication::installTranslator(installed);
}

StringTable StringTable::load(const QString& tableName, const QLocale& locale) {
    auto translator = std::make_shared<QTranslator>();
    if (!LoadTranslations(*translator, locale)) return {};
    StringTable table;
    table.context = tableName.toUtf8();
    table.translator = std::move(translator);
    return table;
}

QString StringTable::localizedString(const QString& key) const {
    if (!translator) return texts.value(key, key);
    const QString text = translator->translate(context.constData(), key.toUtf8().constData());
    return text.isEmpty() ? key : text;
}
