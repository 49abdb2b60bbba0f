#include "ChartProbe.h"
#include "StringTable.h"

#include <QFile>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>

namespace {

// context -> source -> translation of a .ts file; an unfinished or empty
// translation counts as none.
std::map<QString, std::map<QString, QString>> ReadTs(const QString& language) {
    QFile file(QStringLiteral(KOLVAR_TRANSLATIONS_DIR "/kolvar_%1.ts").arg(language));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << language.toStdString();
    std::map<QString, std::map<QString, QString>> texts;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("name")) context = xml.readElementText();
        if (xml.name() == QLatin1String("source")) source = xml.readElementText();
        if (xml.name() == QLatin1String("translation")) {
            const bool unfinished = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            texts[context][source] = unfinished ? QString() : text;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return texts;
}

TEST(Translations, EveryTextIsInChineseAndEveryKeyInBoth) {
    const auto chinese = ReadTs(QStringLiteral("zh_Hans"));
    const auto english = ReadTs(QStringLiteral("en"));
    size_t texts = 0;
    for (const auto& [context, messages] : chinese) {
        for (const auto& [source, text] : messages) {
            ++texts;
            EXPECT_FALSE(text.isEmpty()) << context.toStdString() << ": " << source.toStdString();
        }
    }
    EXPECT_GT(texts, 100u);
    const std::map<QString, QString>& keys = english.at(QStringLiteral("InfoPlist"));
    EXPECT_EQ(keys.size(), chinese.at(QStringLiteral("InfoPlist")).size());
    for (const auto& [key, text] : keys) EXPECT_FALSE(text.isEmpty()) << key.toStdString();
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

}  // namespace
