#include "VideoCatalogue.h"

#include "KolvarLog.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

const QString kRootName = QStringLiteral("Videos");
const QString kRepairBackupSuffix = QStringLiteral(".bak");
// Far beyond any library; a larger file is not a catalogue this program wrote.
constexpr qint64 kMaxCatalogueBytes = 64 << 20;

// XML 1.0 has no way to write the other C0 control characters, not even as
// references: a file name holding one would corrupt the catalogue.
bool StorableInXml(const QString& path) {
    return std::none_of(path.begin(), path.end(), [](QChar c) {
        return c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r';
    });
}

}  // namespace

VideoCatalogue::ReadResult VideoCatalogue::read() const {
    QFile file(path);
    if (!file.exists()) return {Read::Missing, std::nullopt};
    std::optional<CatalogueDocument> document;
    if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxCatalogueBytes) {
        const QByteArray bytes = file.readAll();
        // An empty file holds no entries to lose; it is what an interrupted first
        // save would leave, and treating it as unreadable would lock the library.
        if (bytes.trimmed().isEmpty()) return {Read::Missing, std::nullopt};
        document = CatalogueDocument::parse(bytes);
    }
    if (!document) {
        qCWarning(kolvarLog, "the library %s cannot be read; it is left as it is", qUtf8Printable(path));
        return {Read::Unreadable, std::nullopt};
    }
    return {Read::Read, std::move(document)};
}

void VideoCatalogue::save(const CatalogueDocument& document) const {
    if (document.parseResult() == CatalogueDocument::Parse::Repaired) {
        // The repaired document may lack entries the reader could not recover;
        // the original stays beside it so that none is lost for good.
        const QString backup = path + kRepairBackupSuffix;
        QFile::remove(backup);
        QFile::copy(path, backup);
    }
    saveXMLFile(path, document);
}

bool VideoCatalogue::saveXMLFile(const QString& filePath, const CatalogueDocument& document) {
    const bool existed = QFileInfo::exists(filePath);
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        if (!existed) qCInfo(kolvarLog, "create file failed: %s", qUtf8Printable(filePath));
        qCInfo(kolvarLog, "Write xml to file failed.");
        return false;
    }
    const QByteArray bytes = document.serialise();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        qCInfo(kolvarLog, "Write xml to file failed.");
        return false;
    }
    return true;
}

void VideoCatalogue::importVideo(const QString& videoPath) {
    qCInfo(kolvarLog, "xmlPath: %s", qUtf8Printable(path));
    if (!StorableInXml(videoPath)) {
        qCWarning(kolvarLog, "a file name with control characters cannot be kept in the library: %s",
                  qUtf8Printable(videoPath));
        return;
    }
    ReadResult catalogue = read();
    if (catalogue.status == Read::Unreadable) return;
    if (catalogue.status == Read::Missing) {
        catalogue.document = CatalogueDocument::createXmlDocument(kRootName);
    }
    if (catalogue.document->contains(videoPath)) return;
    catalogue.document->append(videoPath);
    save(*catalogue.document);
}

QList<VideoEntry> VideoCatalogue::refresh() {
    QList<VideoEntry> entries;
    ReadResult catalogue = read();
    if (catalogue.status != Read::Read) return entries;
    for (const QString& videoPath : catalogue.document->paths()) {
        if (std::optional<VideoEntry> entry = getFileAttribute(videoPath)) {
            entries.append(std::move(*entry));
        } else {
            catalogue.document->remove(videoPath);
        }
    }
    save(*catalogue.document);
    return entries;
}

void VideoCatalogue::removeVideo(const QString& videoPath) {
    ReadResult catalogue = read();
    if (catalogue.status != Read::Read) return;
    catalogue.document->remove(videoPath);
    save(*catalogue.document);
}
