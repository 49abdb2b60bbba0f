#include "ChartProbe.h"
#include "StringTable.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

const QStringList kKeys = {"NoGPSInfo", "OK", "VideoSize", "DistFromStart", "DistToEnd", "m",
                           "CurrentSpeed"};

TEST(StringTable, EveryShippedLanguageHasExactlyTheKeysOfTheProgram) {
    StringTable::load(QStringLiteral("InfoPlist"));  // registers the resources
    for (const char* language : {"en", "zh_Hans"}) {
        QFile file(QStringLiteral(":/strings/InfoPlist.%1.json").arg(QLatin1String(language)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << language;
        const QJsonObject table = QJsonDocument::fromJson(file.readAll()).object();
        QStringList keys = table.keys();
        keys.sort();
        QStringList expected = kKeys;
        expected.sort();
        EXPECT_EQ(keys, expected) << language;
        for (const QString& key : kKeys) {
            EXPECT_FALSE(table.value(key).toString().isEmpty()) << language << " " << key.toStdString();
        }
    }
}

TEST(StringTable, TheLocaleChoosesTheLanguageWithEnglishAsTheFallback) {
    const auto distance = [](const char* locale) {
        return StringTable::load(QStringLiteral("InfoPlist"), QLocale(QLatin1String(locale)))
            .localizedString(QStringLiteral("DistFromStart"));
    };
    const QString chinese = distance("zh_CN");
    const QString english = distance("en_US");
    EXPECT_NE(chinese, english);
    EXPECT_NE(chinese, QStringLiteral("DistFromStart"));
    EXPECT_NE(english, QStringLiteral("DistFromStart"));
    EXPECT_EQ(distance("zh_SG"), chinese) << "Simplified script outside China";
    EXPECT_EQ(distance("en_GB"), english);
    EXPECT_EQ(distance("de_DE"), english);
    EXPECT_EQ(distance("zh_TW"), english) << "Traditional script is not shipped";
    EXPECT_EQ(distance("C"), english);
}

TEST(StringTable, AMissingEntryOrTableReadsAsTheKey) {
    const StringTable none = StringTable::load(QStringLiteral("NoSuchTable"), QLocale("en_US"));
    EXPECT_TRUE(none.isEmpty());
    EXPECT_EQ(none.localizedString(QStringLiteral("CurrentSpeed")), QStringLiteral("CurrentSpeed"));
    const StringTable english = StringTable::load(QStringLiteral("InfoPlist"), QLocale("en_US"));
    EXPECT_EQ(english.localizedString(QStringLiteral("NotAKey")), QStringLiteral("NotAKey"));
    EXPECT_EQ(english.localizedString(QString()), QString());
}

}  // namespace
