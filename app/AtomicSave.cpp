#include "AtomicSave.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QSaveFile>

std::optional<QString> SaveBytesAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) return file.errorString();
    return std::nullopt;
}

std::optional<QString> SavePngAtomically(const QString& path, const QImage& image) {
    // Encoded first, so that an image the encoder refuses never opens the file.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) return QCoreApplication::translate("AtomicSave", "The picture cannot be encoded as PNG.");
    return SaveBytesAtomically(path, png);
}
