#pragma once

#include <QHash>
#include <QLocale>
#include <QString>

#include <memory>

class QTranslator;

// A key -> text table ("InfoPlist"): the translation context of that name in
// the program's translations, or texts given directly. A key without an
// entry reads as itself, so a missing translation shows its key.
class StringTable {
public:
    StringTable() = default;
    explicit StringTable(QHash<QString, QString> texts) : texts(std::move(texts)) {}

    // The table in the locale's language, else in English.
    static StringTable load(const QString& tableName, const QLocale& locale = QLocale::system());

    QString localizedString(const QString& key) const;

private:
    QHash<QString, QString> texts;
    QByteArray context;
    std::shared_ptr<const QTranslator> translator;
};

// Loads the program's translations for the locale's language and script
// (English when that language is not shipped) into translator.
bool LoadTranslations(QTranslator& translator, const QLocale& locale);

// Makes them the application's, in place of those installed before; tr()
// texts follow from then on.
void InstallTranslations(const QLocale& locale);
