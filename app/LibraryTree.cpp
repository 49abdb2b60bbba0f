#include "LibraryTree.h"

#include "KolvarLog.h"
#include "RecordedTime.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QPalette>
#include <QTreeWidget>

#include <algorithm>

namespace {

enum Column { kName, kStart, kEnd, kDuration, kDistance, kClips, kChannels, kColumns };

// The context the library's texts are translated in.
struct LibraryTreeTexts {
    Q_DECLARE_TR_FUNCTIONS(LibraryTree)
};

QDateTime Local(DriveClip::TimePoint t) {
    return QDateTime::fromMSecsSinceEpoch(
        std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count());
}

QString TimeOfDay(DriveClip::TimePoint t) { return Local(t).time().toString(QStringLiteral("HH:mm:ss")); }

QString Duration(double ms) {
    const qint64 seconds = ms > 0 ? static_cast<qint64>(ms / 1000) : 0;
    const QChar zero(u'0');
    if (seconds < 3600) return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, zero);
    return QStringLiteral("%1:%2:%3").arg(seconds / 3600).arg(seconds / 60 % 60, 2, 10, zero).arg(seconds % 60, 2, 10, zero);
}

QString Distance(const std::optional<double>& metres) {
    if (!metres) return QString();
    return LibraryTreeTexts::tr("%1 km").arg(QLocale().toString(*metres / 1000, 'f', 1));
}

QString ChannelText(CameraChannel channel) {
    switch (channel) {
        case CameraChannel::Front: return LibraryTreeTexts::tr("Front");
        case CameraChannel::Rear: return LibraryTreeTexts::tr("Rear");
        case CameraChannel::Interior: return LibraryTreeTexts::tr("Interior");
    }
    return LibraryTreeTexts::tr("Front");
}

QTreeWidgetItem* DriveItem(const Drive& drive, int index, int clipCount) {
    QStringList channels;
    for (const ChannelClips& channel : drive.channels) channels << ChannelText(channel.channel);
    auto* item = new QTreeWidgetItem;
    item->setText(kName, QLocale().toString(Local(drive.start).date(), QLocale::ShortFormat));
    item->setText(kStart, TimeOfDay(drive.start));
    item->setText(kEnd, TimeOfDay(drive.end));
    item->setText(kDuration, Duration(drive.durationMs()));
    item->setText(kDistance, Distance(drive.distanceM));
    item->setText(kClips, QString::number(clipCount));
    item->setText(kChannels, channels.join(QStringLiteral(", ")));
    item->setData(kName, kLibraryRowRole, -1);
    item->setData(kName, kDriveRole, index);
    return item;
}

QTreeWidgetItem* ClipItem(const DriveClip& clip, int row, const VideoEntry& entry, const QPalette& palette) {
    const QFileInfo file(entry.path);
    qCInfo(kolvarLog, "%s", qUtf8Printable(file.completeBaseName()));
    auto* item = new QTreeWidgetItem;
    item->setText(kName, file.fileName());
    item->setText(kStart, TimeOfDay(clip.start));
    item->setText(kEnd, TimeOfDay(clip.end()));
    item->setText(kDuration, Duration(clip.durationMs));
    item->setText(kDistance, Distance(clip.distanceM));
    item->setText(kChannels, ChannelText(clip.channel));
    item->setData(kName, kLibraryRowRole, row);
    if (!entry.available) {
        for (int column = 0; column < kColumns; ++column)
            item->setForeground(column, palette.brush(QPalette::Disabled, QPalette::Text));
        item->setToolTip(kName, UnavailableNotice(entry));
    } else {
        item->setToolTip(kName, ClipToolTip(entry));
    }
    return item;
}

}  // namespace

QString ClipToolTip(const VideoEntry& entry, const QString& recordedStart) {
    const QString date = recordedStart.isEmpty() ? entry.creationDate : RecordedCaption(recordedStart);
    return QStringLiteral("%1\n%2  %3").arg(QDir::toNativeSeparators(entry.path), date, getSizeString(entry.fileSize));
}

void ArrangeLibraryTree(QTreeWidget& tree) {
    tree.setColumnCount(kColumns);
    tree.setHeaderLabels({LibraryTreeTexts::tr("Drive"), LibraryTreeTexts::tr("Start"), LibraryTreeTexts::tr("End"), LibraryTreeTexts::tr("Duration"), LibraryTreeTexts::tr("Distance"), LibraryTreeTexts::tr("Clips"),
                          LibraryTreeTexts::tr("Channels")});
    tree.header()->setStretchLastSection(false);
    tree.header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Clip names are long: elided in the middle, whole in the tooltip, so the
    // drives' figures stay in view.
    tree.header()->setSectionResizeMode(kName, QHeaderView::Interactive);
    tree.setColumnWidth(kName, tree.fontMetrics().horizontalAdvance(QStringLiteral("2026_1207_101500_0")));
}

QVector<QTreeWidgetItem*> FillLibraryTree(QTreeWidget& tree, const std::vector<Drive>& drives,
                                          const QList<VideoEntry>& videos, const QPalette& palette) {
    QHash<QString, int> rowOfPath;
    for (int row = 0; row < videos.size(); ++row) rowOfPath.insert(videos[row].path, row);
    QVector<QTreeWidgetItem*> items(videos.size(), nullptr);
    QList<QTreeWidgetItem*> top;
    top.reserve(static_cast<qsizetype>(drives.size()));
    for (size_t d = 0; d < drives.size(); ++d) {
        std::vector<const DriveClip*> clips;
        for (const ChannelClips& channel : drives[d].channels)
            for (const DriveClip& clip : channel.clips) clips.push_back(&clip);
        std::stable_sort(clips.begin(), clips.end(),
                         [](const DriveClip* a, const DriveClip* b) { return a->start < b->start; });
        QTreeWidgetItem* drive = DriveItem(drives[d], static_cast<int>(d), static_cast<int>(clips.size()));
        for (const DriveClip* clip : clips) {
            const int row = rowOfPath.value(QFile::decodeName(clip->path.c_str()), -1);
            if (row < 0) continue;
            items[row] = ClipItem(*clip, row, videos[row], palette);
            drive->addChild(items[row]);
        }
        top << drive;
    }
    tree.clear();
    tree.addTopLevelItems(top);
    return items;
}

QString UnavailableNotice(const VideoEntry& entry) {
    return LibraryTreeTexts::tr("%1 is not available: its folder %2 is missing. Connect the card or disk it is on.")
        .arg(QFileInfo(entry.path).fileName(), QDir::toNativeSeparators(QFileInfo(entry.path).path()));
}
