#pragma once

#include <QHash>
#include <QLocale>
#include <QString>

// A localised key -> text table ("InfoPlist") shipped in the resources. A key
// without an entry reads as itself, so a missing translation shows its key.
class StringTable {
public:
    StringTable() = default;
    explicit StringTable(QHash<QString, QString> texts) : texts(std::move(texts)) {}

    // The table in the locale's language and script, else in its language,
    // else in English; an empty table when none of them is shipped or readable.
    static StringTable load(const QString& tableName, const QLocale& locale = QLocale::system());

    QString localizedString(const QString& key) const { return texts.value(key, key); }
    bool isEmpty() const { return texts.isEmpty(); }

private:
    QHash<QString, QString> texts;
};
