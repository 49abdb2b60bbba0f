#include "StringTable.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <optional>

// Outside any namespace, as Q_INIT_RESOURCE requires. Referencing the resource
// also keeps the linker from dropping it out of the static library.
static void initViewsResources() { Q_INIT_RESOURCE(views); }

namespace {

constexpr qint64 kMaxTableBytes = 1 << 20;
const QString kDevelopmentLanguage = QStringLiteral("en");

// Candidate table suffixes, most specific first: "zh_Hans", "zh", "en".
QStringList languageCandidates(const QLocale& locale) {
    const QString language = QLocale::languageToCode(locale.language());
    QStringList candidates;
    if (locale.script() != QLocale::AnyScript) {
        candidates << language + u'_' + QLocale::scriptToCode(locale.script());
    }
    candidates << language << kDevelopmentLanguage;
    candidates.removeDuplicates();
    return candidates;
}

// Only string values count; anything else in the file is ignored.
std::optional<QHash<QString, QString>> readTable(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxTableBytes) return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject()) return std::nullopt;
    QHash<QString, QString> texts;
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.value().isString()) texts.insert(it.key(), it.value().toString());
    }
    return texts;
}

}  // namespace

StringTable StringTable::load(const QString& tableName, const QLocale& locale) {
    static const bool resourcesReady = (initViewsResources(), true);
    Q_UNUSED(resourcesReady);
    for (const QString& language : languageCandidates(locale)) {
        if (auto texts = readTable(QStringLiteral(":/strings/%1.%2.json").arg(tableName, language))) {
            return StringTable(std::move(*texts));
        }
    }
    return {};
}
