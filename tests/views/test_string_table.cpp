#include "ChartProbe.h"
#include "StringTable.h"

#include <QFile>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>

namespace {

// Every translation of a .ts file as context: source; an unfinished or empty one counts as none.
std::map<QString, QString> ReadTs(const QString& language) {
    QFile file(QStringLiteral(KOLVAR_TRANSLATIONS_DIR "/kolvar_%1.ts").arg(language));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << language.toStdString();
    std::map<QString, QString> texts;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("name")) context = xml.readElementText();
        if (xml.name() == QLatin1String("source")) source = xml.readElementText();
        if (xml.name() == QLatin1String("translation")) {
            const bool unfinished = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            texts[context + QStringLiteral(": ") + source] = unfinished ? QString() : text;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return texts;
}

// Every text has its Chinese; the English file gives every key of the info table a text.
TEST(Translations, EveryTextIsInChineseAndEveryKeyInBoth) {
    const auto chinese = ReadTs(QStringLiteral("zh_Hans"));
    EXPECT_GT(chinese.size(), 100u);
    const auto english = ReadTs(QStringLiteral("en"));
    for (const auto& [text, translation] : chinese) EXPECT_FALSE(translation.isEmpty()) << text.toStdString();
    for (const auto& [one, other] : {std::pair{&english, &chinese}, {&chinese, &english}}) {
        for (const auto& [key, text] : *one) {
            if (!key.startsWith(QLatin1String("InfoPlist: "))) continue;
            const auto there = other->find(key);
            EXPECT_TRUE(there != other->end() && !there->second.isEmpty()) << key.toStdString();
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
    EXPECT_NE(english, QStringLiteral("DistFromStart"));
    EXPECT_EQ(distance("zh_SG"), chinese) << "Simplified script outside China";
    // Traditional script is not shipped.
    for (const char* other : {"en_GB", "de_DE", "zh_TW", "C"}) EXPECT_EQ(distance(other), english) << other;
}

}  // namespace
