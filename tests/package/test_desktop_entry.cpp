#include "LibraryFormats.h"

#include <QFile>
#include <QTextStream>

#include <gtest/gtest.h>

#include <map>

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

}  // namespace

// A file manager offers Kolvar for a clip when the entry names the clip's type: every container the
// library takes needs its type here, and the entry must declare it. Insta360 clips read as MP4.
TEST(DesktopEntry, DeclaresEveryContainerTheLibraryTakes) {
    const std::map<QString, QStringList> types = {
        {"MP4", {"video/mp4"}},      {"INSV", {"video/mp4"}},        {"MOV", {"video/quicktime"}},
        {"3GP", {"video/3gpp"}},     {"AVI", {"video/x-msvideo", "video/vnd.avi"}},
        {"TS", {"video/mp2t"}},      {"M2TS", {"video/mp2t"}},       {"MTS", {"video/mp2t"}},
        {"MKV", {"video/x-matroska"}}, {"M4V", {"video/x-m4v"}},     {"WEBM", {"video/webm"}},
    };
    const QStringList declared = DeclaredMimeTypes();
    for (const QString& extension : LibraryVideoExtensions()) {
        ASSERT_TRUE(types.count(extension)) << "no type for ." << extension.toStdString();
        for (const QString& type : types.at(extension))
            EXPECT_TRUE(declared.contains(type)) << type.toStdString() << " of ." << extension.toStdString();
    }
}
