#include "VideoCatalogue.h"

#include "KolvarLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSet>

#include <algorithm>

namespace {

const QString kRootName = QStringLiteral("Videos");
const QString kRepairBackupSuffix = QStringLiteral(".bak");
const QString kLockSuffix = QStringLiteral(".lock");
// Far beyond any library; a larger file is not a catalogue this program wrote.
constexpr qint64 kMaxCatalogueBytes = 64 << 20;
// Another window holds the lock only while it reads and writes the file.
constexpr int kLockWaitMs = 5000;

// XML 1.0 has no way to write the other C0 control characters, not even as
// references: a file name holding one would corrupt the catalogue.
bool StorableInXml(const QString& path) {
    return std::none_of(path.begin(), path.end(), [](QChar c) {
        return c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r';
    });
}

QString BusyReason() { return VideoCatalogue::tr("another Kolvar window keeps it locked"); }

// Held while the file is read, changed and written back, so that two windows
// never write over each other's entries.
class CatalogueLock {
public:
    explicit CatalogueLock(const QString& cataloguePath) : lock(cataloguePath + kLockSuffix) {
        locked = lock.tryLock(kLockWaitMs);
    }
    // A lock file that cannot be made (a read-only folder) does not stop the
    // save, which then fails, or not, on its own; only another holder does.
    bool heldElsewhere() const { return !locked && lock.error() == QLockFile::LockFailedError; }

private:
    QLockFile lock;
    bool locked = false;
};

// An entry whose folder is gone is on a card or disk that is not mounted now.
bool FolderGone(const QString& videoPath) { return !QFileInfo(videoPath).absoluteDir().exists(); }

}  // namespace

void VideoCatalogue::fail(Problem problem, const QString& reason) {
    lastProblem = problem;
    lastReason = reason;
}

VideoCatalogue::ReadResult VideoCatalogue::read() {
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
        fail(Problem::Unreadable, file.error() != QFileDevice::NoError ? file.errorString()
                                                                       : VideoCatalogue::tr("it is not a library file"));
        return {Read::Unreadable, std::nullopt};
    }
    return {Read::Read, std::move(document)};
}

bool VideoCatalogue::save(const CatalogueDocument& document) {
    if (document.parseResult() == CatalogueDocument::Parse::Repaired) {
        // The repaired document may lack entries the reader could not recover;
        // the original stays beside it so that none is lost for good.
        const QString backup = path + kRepairBackupSuffix;
        QFile::remove(backup);
        QFile::copy(path, backup);
    }
    QString reason;
    if (saveXMLFile(path, document, &reason)) return true;
    fail(Problem::NotSaved, reason);
    return false;
}

bool VideoCatalogue::saveXMLFile(const QString& filePath, const CatalogueDocument& document, QString* reason) {
    const bool existed = QFileInfo::exists(filePath);
    QSaveFile file(filePath);
    if (file.open(QIODevice::WriteOnly)) {
        const QByteArray bytes = document.serialise();
        // commit() alone would put a short file in place when the last
        // buffered bytes fail to reach the disk: check the write and the flush.
        if (file.write(bytes) == bytes.size() && file.flush() && file.commit()) return true;
    } else if (!existed) {
        qCInfo(kolvarLog, "create file failed: %s", qUtf8Printable(filePath));
    }
    if (reason) *reason = file.errorString();
    file.cancelWriting();
    qCInfo(kolvarLog, "Write xml to file failed.");
    return false;
}

void VideoCatalogue::importVideo(const QString& videoPath) { importVideos({videoPath}); }

void VideoCatalogue::importVideos(const QStringList& videoPaths) {
    qCInfo(kolvarLog, "xmlPath: %s", qUtf8Printable(path));
    lastProblem = Problem::None;
    QStringList storable;
    for (const QString& videoPath : videoPaths) {
        if (StorableInXml(videoPath)) {
            storable << videoPath;
        } else {
            qCWarning(kolvarLog, "a file name with control characters cannot be kept in the library: %s",
                      qUtf8Printable(videoPath));
        }
    }
    if (storable.isEmpty()) return;
    const CatalogueLock lock(path);
    ReadResult catalogue = read();
    QStringList unstored;
    if (catalogue.status == Read::Unreadable) {
        unstored = storable;
    } else {
        if (catalogue.status == Read::Missing) catalogue.document = CatalogueDocument::createXmlDocument(kRootName);
        const QStringList listed = catalogue.document->paths();
        QSet<QString> present(listed.begin(), listed.end());
        QStringList added;
        for (const QString& videoPath : std::as_const(storable)) {
            if (present.contains(videoPath)) continue;
            present.insert(videoPath);
            added << videoPath;
        }
        if (!added.isEmpty() && lock.heldElsewhere()) {
            fail(Problem::NotSaved, BusyReason());
            unstored = added;
        } else if (!added.isEmpty()) {
            for (const QString& videoPath : std::as_const(added)) catalogue.document->append(videoPath);
            if (!save(*catalogue.document)) unstored = added;
        }
    }
    for (const QString& videoPath : std::as_const(storable)) sessionPaths.removeAll(videoPath);
    sessionPaths << unstored;
}

QList<VideoEntry> VideoCatalogue::refresh() {
    lastProblem = Problem::None;
    QList<VideoEntry> entries;
    QStringList listed;
    const auto add = [&entries, &listed](const QString& videoPath) {
        std::optional<VideoEntry> entry = getFileAttribute(videoPath);
        if (!entry && FolderGone(videoPath)) entry = VideoEntry{videoPath, QString(), 0, false};
        if (entry) {
            entries.append(std::move(*entry));
            listed.append(videoPath);
        }
        return entry.has_value();
    };
    const CatalogueLock lock(path);
    ReadResult catalogue = read();
    if (catalogue.status == Read::Read) {
        bool changed = catalogue.document->parseResult() == CatalogueDocument::Parse::Repaired;
        for (const QString& videoPath : catalogue.document->paths()) {
            if (!add(videoPath)) changed = catalogue.document->remove(videoPath) > 0 || changed;
        }
        // Saved only when something changed: an untouched file needs no
        // rewrite, and a read-only one is no fault until the user adds to it.
        if (changed && !lock.heldElsewhere()) save(*catalogue.document);
    }
    for (const QString& videoPath : std::as_const(sessionPaths)) {
        if (!listed.contains(videoPath)) add(videoPath);
    }
    return entries;
}

void VideoCatalogue::removeVideo(const QString& videoPath) { removeVideos({videoPath}); }

void VideoCatalogue::removeVideos(const QStringList& videoPaths) {
    lastProblem = Problem::None;
    for (const QString& videoPath : videoPaths) sessionPaths.removeAll(videoPath);
    const CatalogueLock lock(path);
    ReadResult catalogue = read();
    if (catalogue.status != Read::Read) return;
    const QStringList listed = catalogue.document->paths();
    const bool any = std::any_of(videoPaths.begin(), videoPaths.end(),
                                 [&listed](const QString& videoPath) { return listed.contains(videoPath); });
    if (!any) return;
    if (lock.heldElsewhere()) return fail(Problem::NotSaved, BusyReason());
    for (const QString& videoPath : videoPaths) catalogue.document->remove(videoPath);
    save(*catalogue.document);
}

int VideoCatalogue::clockOffset(const QString& videoPath) {
    const CatalogueLock lock(path);
    const ReadResult catalogue = read();
    return catalogue.status == Read::Read ? catalogue.document->clockOffset(videoPath) : 0;
}

bool VideoCatalogue::setClockOffset(const QString& videoPath, int minutes) {
    lastProblem = Problem::None;
    const CatalogueLock lock(path);
    ReadResult catalogue = read();
    if (catalogue.status != Read::Read || !catalogue.document->setClockOffset(videoPath, minutes)) {
        if (lastProblem == Problem::None) fail(Problem::NotSaved, VideoCatalogue::tr("the video is not in the library file"));
        return false;
    }
    if (lock.heldElsewhere()) {
        fail(Problem::NotSaved, BusyReason());
        return false;
    }
    return save(*catalogue.document);
}
