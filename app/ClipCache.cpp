#include "ClipCache.h"

#include "AtomicSave.h"
#include "KolvarLog.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>
#include <cmath>

namespace {

using TimePoint = DriveClip::TimePoint;

// Far beyond the entries of any library; a larger file is not ours.
constexpr qint64 kMaxCacheBytes = 64 << 20;
const QString kClips = QStringLiteral("clips");

constexpr std::array kSources = {ClipTimeSource::GPS, ClipTimeSource::FileName, ClipTimeSource::Container,
                                 ClipTimeSource::FileTime};

qint64 ToMs(TimePoint t) { return std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count(); }
TimePoint FromMs(qint64 ms) { return TimePoint(std::chrono::milliseconds(ms)); }

// A whole number of milliseconds as JSON keeps it exactly, within 2^53.
std::optional<qint64> WholeMs(const QJsonValue& value) {
    const double ms = value.toDouble(NAN);
    if (!std::isfinite(ms) || std::abs(ms) > 9e15) return std::nullopt;
    return static_cast<qint64>(ms);
}

QJsonObject ToJson(const QString& videoPath, const ClipCache::Stamp& stamp, const DriveClip& clip) {
    QJsonObject object{{QStringLiteral("path"), videoPath},
                       {QStringLiteral("size"), stamp.size},
                       {QStringLiteral("modified"), stamp.modifiedMs},
                       {QStringLiteral("start"), ToMs(clip.start)},
                       {QStringLiteral("duration"), clip.durationMs},
                       {QStringLiteral("source"), QString::fromLatin1(TimeSourceName(clip.timeSource))}};
    if (clip.fileNameTime) object.insert(QStringLiteral("nameTime"), ToMs(*clip.fileNameTime));
    if (clip.distanceM) object.insert(QStringLiteral("distance"), *clip.distanceM);
    if (clip.clockJump) object.insert(QStringLiteral("clockJump"), true);
    return object;
}

// None for an entry that lacks a field or holds one out of range.
std::optional<std::pair<ClipCache::Stamp, DriveClip>> FromJson(const QJsonObject& object, const QString& videoPath) {
    const auto size = WholeMs(object.value(QStringLiteral("size")));
    const auto modified = WholeMs(object.value(QStringLiteral("modified")));
    const auto start = WholeMs(object.value(QStringLiteral("start")));
    const double duration = object.value(QStringLiteral("duration")).toDouble(-1);
    const QString source = object.value(QStringLiteral("source")).toString();
    const auto known = std::find_if(kSources.begin(), kSources.end(),
                                    [&](ClipTimeSource s) { return source == QLatin1String(TimeSourceName(s)); });
    if (!size || !modified || !start || !(duration >= 0 && duration < 1e12) || known == kSources.end())
        return std::nullopt;
    DriveClip clip;
    clip.path = QFile::encodeName(videoPath).toStdString();
    clip.channel = ClipChannel(clip.path);
    clip.start = FromMs(*start);
    clip.durationMs = duration;
    clip.timeSource = *known;
    if (const auto nameTime = WholeMs(object.value(QStringLiteral("nameTime")))) clip.fileNameTime = FromMs(*nameTime);
    const double distance = object.value(QStringLiteral("distance")).toDouble(NAN);
    if (std::isfinite(distance) && distance >= 0) clip.distanceM = distance;
    clip.clockJump = object.value(QStringLiteral("clockJump")).toBool();
    return std::pair{ClipCache::Stamp{*size, *modified}, std::move(clip)};
}

}  // namespace

std::optional<ClipCache::Stamp> ClipCache::StampOf(const QString& videoPath) {
    const QFileInfo file(videoPath);
    if (!file.exists()) return std::nullopt;
    return Stamp{file.size(), file.lastModified().toMSecsSinceEpoch()};
}

void ClipCache::load() {
    entries.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxCacheBytes) return;
    const QJsonArray clips = QJsonDocument::fromJson(file.readAll()).object().value(kClips).toArray();
    entries.reserve(clips.size());
    for (const QJsonValue& value : clips) {
        const QJsonObject object = value.toObject();
        const QString videoPath = object.value(QStringLiteral("path")).toString();
        if (videoPath.isEmpty()) continue;
        if (auto entry = FromJson(object, videoPath)) entries.insert(videoPath, {entry->first, std::move(entry->second)});
    }
}

bool ClipCache::save() const {
    QJsonArray clips;
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) clips.append(ToJson(it.key(), it->stamp, it->clip));
    const auto failed = SaveBytesAtomically(path, QJsonDocument(QJsonObject{{kClips, clips}}).toJson(QJsonDocument::Compact));
    if (failed) qCWarning(kolvarLog, "the clip cache %s cannot be saved: %s", qUtf8Printable(path), qUtf8Printable(*failed));
    return !failed;
}

std::optional<DriveClip> ClipCache::find(const QString& videoPath, const Stamp& stamp) const {
    const auto it = entries.constFind(videoPath);
    if (it == entries.cend() || it->stamp != stamp) return std::nullopt;
    return it->clip;
}

void ClipCache::put(const QString& videoPath, const Stamp& stamp, const DriveClip& clip) {
    entries.insert(videoPath, {stamp, clip});
}

bool ClipCache::keepOnly(const QSet<QString>& paths) {
    return entries.removeIf([&paths](QHash<QString, Entry>::iterator it) { return !paths.contains(it.key()); }) > 0;
}
