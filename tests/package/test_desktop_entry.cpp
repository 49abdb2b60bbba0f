#include "LibraryFormats.h"

#include <QFile>
#include <QMimeDatabase>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

QStringList DeclaredMimeTypes() {
    QFile entry(QStringLiteral(KOLVAR_DESKTOP_ENTRY));
    if (!entry.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QTextStream lines(&entry);
    const QString key = QStringLiteral("MimeType=");
    while (!lines.atEnd()) {
        const QString line = lines.readLine();
        if (line.startsWith(key)) return line.mid(key.size()).split(u';', Qt::SkipEmptyParts);
    }
    return {};
}

// A file manager offers Kolvar for a clip when the entry names the clip's type
// or one of its aliases; ".ts" is also a translation source, so only the video
// readings of a name count.
bool Declares(const QStringList& declared, const QString& extension) {
    const QString name = QStringLiteral("clip.") + extension.toLower();
    QList<QMimeType> types = QMimeDatabase().mimeTypesForFileName(name);
    // No glob names Insta360 clips: their content reads as MP4.
    if (types.isEmpty() && extension == QLatin1String("INSV")) types = {QMimeDatabase().mimeTypeForName("video/mp4")};
    for (const QMimeType& type : types) {
        if (!type.name().startsWith(QLatin1String("video/"))) continue;
        if (declared.contains(type.name())) return true;
        for (const QString& alias : type.aliases()) {
            if (declared.contains(alias)) return true;
        }
    }
    return false;
}

}  // namespace

TEST(DesktopEntry, DeclaresEveryContainerTheLibraryTakes) {
    const QStringList declared = DeclaredMimeTypes();
    ASSERT_FALSE(declared.isEmpty()) << KOLVAR_DESKTOP_ENTRY << " has no MimeType line";
    const QStringList extensions = LibraryVideoExtensions();
    ASSERT_TRUE(extensions.contains(QStringLiteral("3GP")));
    for (const QString& extension : extensions) {
        EXPECT_TRUE(Declares(declared, extension))
            << "no video type of ." << extension.toStdString() << " in " << declared.join(u';').toStdString();
    }
}
