#pragma once

#include "Drives.h"
#include "VideoEntry.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVector>

class QPalette;
class QTreeWidget;
class QTreeWidgetItem;

// The library as drives: one top-level row per drive (date, start and end,
// duration, distance, clips, channels) in the order given, its clips inside
// in time order. A clip row keeps its library row in kLibraryRowRole, a
// drive row -1 there and its index among drives in kDriveRole.
inline constexpr int kLibraryRowRole = Qt::UserRole;
inline constexpr int kDriveRole = Qt::UserRole + 1;

// Sets the columns' titles.
void ArrangeLibraryTree(QTreeWidget& tree);

// Fills the tree; returns each library row's item (null for a row in no
// drive). rowOfPath maps a clip's path, as the catalogue holds it, to its row.
QVector<QTreeWidgetItem*> FillLibraryTree(QTreeWidget& tree, const std::vector<Drive>& drives,
                                          const QList<VideoEntry>& videos, const QPalette& palette);

// The clip's path, then when it was recorded (the drive's start as its GPS
// data says, once read; else the file's date) and its size.
QString ClipToolTip(const VideoEntry& entry, const QString& recordedStart = QString());

// Why the entry cannot be played now: the folder it is in is missing.
QString UnavailableNotice(const VideoEntry& entry);
