#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

// Each writes the whole file or nothing: the bytes go to a temporary file
// that replaces the target only once every write and the flush succeeded.
// The reason it failed, or none.
std::optional<QString> SaveBytesAtomically(const QString& path, const QByteArray& bytes);
std::optional<QString> SavePngAtomically(const QString& path, const QImage& image);
