#include "ChartProbe.h"
#include "StringTable.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

TEST(StringTable, EveryShippedLanguageHasExactlyTheKeysOfTheProgram) {
    const QStringList keys = {"CurrentSpeed", "DistFromStart", "DistToEnd", "NoGPSInfo", "OK", "VideoSize", "VideoSizeOne", "m"};
    StringTable::load(QStringLiteral("InfoPlist"));  // registers the resources
    for (const char* language : {"en", "zh_Hans"}) {
        QFile file(QStringLiteral(":/strings/InfoPlist.%1.json").arg(QLatin1String(language)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << language;
        const QJsonObject table = QJsonDocument::fromJson(file.readAll()).object();
        EXPECT_EQ(table.keys(), keys) << language;
        for (const QString& key : keys) EXPECT_FALSE(table.value(key).toString().isEmpty()) << language << " " << key.toStdString();
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
    EXPECT_NE(english, QStringLiteral("DistFromStart"));
    EXPECT_EQ(distance("zh_SG"), chinese) << "Simplified script outside China";
    // Traditional script is not shipped.
    for (const char* other : {"en_GB", "de_DE", "zh_TW", "C"}) EXPECT_EQ(distance(other), english) << other;
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
