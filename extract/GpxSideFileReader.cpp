#include "GpxSideFileReader.h"

#include "CalendarClock.h"
#include "LenientNumber.h"
#include "Mp4Movie.h"
#include "SiblingFile.h"

#include <cmath>
#include <functional>
#include <string>

namespace {

constexpr std::string_view kOpen = "<trkpt";
constexpr std::string_view kClose = "</trkpt>";
// A track point with its extensions; anything longer is not one.
constexpr size_t kMaxTrackPointLength = 16 * 1024;
constexpr size_t kChunkSize = 64 * 1024;
constexpr int64_t kMsPerSecond = 1000;
constexpr int kMaxClipYear = 9999;
constexpr double kKnotsPerMetrePerSecond = 3600.0 / 1852;
// Seconds from 1904-01-01, the movie header's epoch, to 1970-01-01.
constexpr int64_t kMovieEpochToUnix = 2082844800;
// A log's clock and the clip's may differ by a moment.
constexpr int64_t kSpanMarginMs = 1000;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Where the next "<trkpt" start tag begins; npos when none is complete in text.
size_t FindTrackPoint(std::string_view text, size_t from) {
    for (size_t at = text.find(kOpen, from); at != std::string_view::npos; at = text.find(kOpen, at + 1)) {
        if (at + kOpen.size() >= text.size()) return std::string_view::npos;
        const char next = text[at + kOpen.size()];
        if (IsSpace(next) || next == '>' || next == '/') return at;
    }
    return std::string_view::npos;
}

// Calls onPoint with every complete "<trkpt ...>...</trkpt>" element, reading
// the source a chunk at a time.
void ForEachTrackPoint(ByteSource& source, const std::function<bool(std::string_view)>& onPoint) {
    std::string window;
    std::vector<char> chunk(kChunkSize);
    int64_t offset = 0;
    bool atEnd = false;
    size_t pos = 0;
    for (;;) {
        const size_t open = FindTrackPoint(window, pos);
        const size_t tagEnd = open == std::string::npos ? open : window.find('>', open);
        if (tagEnd != std::string::npos && window[tagEnd - 1] == '/') {  // an empty point: no time
            pos = tagEnd + 1;
            continue;
        }
        const size_t close = tagEnd == std::string::npos ? tagEnd : window.find(kClose, tagEnd);
        if (close != std::string::npos) {
            if (!onPoint(std::string_view(window).substr(open, close + kClose.size() - open))) return;
            pos = close + kClose.size();
            continue;
        }
        if (open != std::string::npos && window.size() - open > kMaxTrackPointLength) {
            pos = open + 1;
            continue;
        }
        if (atEnd) return;
        // Keep the element begun, or the tail a start tag may begin in.
        const size_t tail = window.size() > kOpen.size() ? window.size() - kOpen.size() : 0;
        const size_t keep = open != std::string::npos ? open : std::max(std::min(pos, window.size()), tail);
        window.erase(0, keep);
        pos = 0;
        const size_t read = source.readAt(offset, chunk.data(), chunk.size());
        offset += static_cast<int64_t>(read);
        atEnd = read == 0;
        window.append(chunk.data(), read);
    }
}

// The value of attribute name in a start tag; none when absent.
std::optional<std::string_view> Attribute(std::string_view tag, std::string_view name) {
    size_t pos = tag.find_first_of(" \t\r\n");
    while (pos < tag.size()) {
        while (pos < tag.size() && IsSpace(tag[pos])) ++pos;
        const size_t eq = tag.find('=', pos);
        if (eq == std::string_view::npos) return std::nullopt;
        size_t nameEnd = eq;
        while (nameEnd > pos && IsSpace(tag[nameEnd - 1])) --nameEnd;
        size_t quote = eq + 1;
        while (quote < tag.size() && IsSpace(tag[quote])) ++quote;
        if (quote >= tag.size() || (tag[quote] != '"' && tag[quote] != '\'')) return std::nullopt;
        const size_t valueEnd = tag.find(tag[quote], quote + 1);
        if (valueEnd == std::string_view::npos) return std::nullopt;
        if (tag.substr(pos, nameEnd - pos) == name) return tag.substr(quote + 1, valueEnd - quote - 1);
        pos = valueEnd + 1;
    }
    return std::nullopt;
}

// The text of the first child element called name, with or without a
// namespace prefix ("speed" finds <speed> and <gpxtpx:speed>).
std::optional<std::string_view> ChildText(std::string_view body, std::string_view name) {
    const std::string tag = std::string(name) + ">";
    for (size_t at = body.find(tag); at != std::string_view::npos; at = body.find(tag, at + 1)) {
        if (at == 0) continue;
        size_t start = at;
        if (body[at - 1] == ':')
            while (start > 0 && body[start - 1] != '<' && body[start - 1] != '/' && !IsSpace(body[start - 1])) --start;
        if (start == 0 || body[start - 1] != '<') continue;
        const size_t textStart = at + tag.size();
        const size_t textEnd = body.find('<', textStart);
        if (textEnd == std::string_view::npos) return std::nullopt;
        return body.substr(textStart, textEnd - textStart);
    }
    return std::nullopt;
}

int Digits(std::string_view text, size_t at, size_t count) {
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// xsd:dateTime "YYYY-MM-DDThh:mm:ss[.fff][Z|+hh:mm|-hh:mm]" as milliseconds
// since 1970 UTC; a time without a zone is UTC, as GPX requires.
std::optional<int64_t> ReadDateTime(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    constexpr size_t kSecondsEnd = 19;
    if (text.size() < kSecondsEnd || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':')
        return std::nullopt;
    const int year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
    const int hour = Digits(text, 11, 2), minute = Digits(text, 14, 2), second = Digits(text, 17, 2);
    if (year < 0) return std::nullopt;
    const std::optional<int64_t> whole = UtcMilliseconds(year, month, day, hour, minute, second);
    if (!whole) return std::nullopt;
    int64_t ms = *whole;
    size_t pos = kSecondsEnd;
    if (pos < text.size() && text[pos] == '.') {
        const size_t end = text.find_first_not_of("0123456789", pos + 1);
        ms += std::lround(ReadLenientDecimal(text.substr(pos, std::min<size_t>(end, pos + 4) - pos)) * kMsPerSecond);
        pos = end == std::string_view::npos ? text.size() : end;
    }
    if (pos + 6 <= text.size() && (text[pos] == '+' || text[pos] == '-') && text[pos + 3] == ':') {
        const int offsetHours = Digits(text, pos + 1, 2), offsetMinutes = Digits(text, pos + 4, 2);
        if (offsetHours < 0 || offsetMinutes < 0) return std::nullopt;
        const int64_t offset = (offsetHours * 60 + offsetMinutes) * 60 * kMsPerSecond;
        ms -= text[pos] == '+' ? offset : -offset;
    }
    return ms;
}

std::optional<GPSRecord> ReadTrackPoint(std::string_view element) {
    const std::string_view tag = element.substr(0, element.find('>'));
    const std::optional<std::string_view> latText = Attribute(tag, "lat"), lonText = Attribute(tag, "lon");
    const std::optional<std::string_view> timeText = ChildText(element, "time");
    if (!latText || !lonText || !timeText) return std::nullopt;
    const std::optional<int64_t> time = ReadDateTime(*timeText);
    const double lat = ReadLenientDecimal(*latText), lon = ReadLenientDecimal(*lonText);
    if (!time || !(std::fabs(lat) <= 90) || !(std::fabs(lon) <= 180)) return std::nullopt;
    GPSRecord record{};
    SetRecordUtc(record, *time);
    record.latRef = lat < 0 ? 'S' : 'N';
    record.lonRef = lon < 0 ? 'W' : 'E';
    record.lat = std::fabs(lat);
    record.lon = std::fabs(lon);
    if (const auto speed = ChildText(element, "speed")) record.speed = ReadLenientDecimal(*speed) * kKnotsPerMetrePerSecond;
    if (const auto elevation = ChildText(element, "ele")) record.altitude = ReadLenientDecimal(*elevation);
    if (const auto course = ChildText(element, "course")) record.heading = ReadLenientDecimal(*course);
    return record;
}

// The clip's span from its movie header: the creation time as UTC, as the
// format means it, then as local time, as many cameras write it.
std::vector<ClipSpan> ClipSpans(const std::string& gpxPath) {
    const std::optional<std::string> video = FindSibling(gpxPath, VideoExtensions());
    if (!video) return {};
    FileByteSource source(*video);
    const std::optional<Mp4Movie> movie = ReadMp4Outline(source);
    if (!movie || movie->creationTime <= uint64_t(kMovieEpochToUnix) || !(movie->duration > 0)) return {};
    const int64_t utc = static_cast<int64_t>(movie->creationTime - kMovieEpochToUnix);
    const std::optional<CalendarTime> calendar = SecondsToCalendar(utc, GPSClock::UTC);
    // A creation time beyond any clip's year says nothing about its span.
    if (!calendar || calendar->year > kMaxClipYear) return {};
    const std::optional<int64_t> local = CalendarToSecondsNormalising(*calendar, GPSClock::Local);
    const int64_t durationMs = std::llround(movie->duration * kMsPerSecond);
    std::vector<ClipSpan> spans;
    for (const std::optional<int64_t> start : {std::optional<int64_t>(utc), local})
        if (start)
            spans.push_back({*start * kMsPerSecond - kSpanMarginMs, *start * kMsPerSecond + durationMs + kSpanMarginMs});
    return spans;
}

}  // namespace

bool RecogniseGpxSideFile(const GPSProbe& probe) {
    const std::string_view head(reinterpret_cast<const char*>(probe.head.data()), probe.head.size());
    return head.find("<gpx") != std::string_view::npos;
}

void ReadGpxTrackPoints(ByteSource& source, const std::vector<ClipSpan>& spans, GPSData& out) {
    out.clock = GPSClock::UTC;
    GPSData all;
    ForEachTrackPoint(source, [&](std::string_view element) {
        const std::optional<GPSRecord> record = ReadTrackPoint(element);
        return !record || all.add(*record);
    });
    out.truncated = out.truncated || all.truncated;
    for (const ClipSpan& span : spans) {
        for (const GPSRecord& record : all.records) {
            const int64_t time = *UtcMilliseconds(record.year, record.month, record.day, record.hour, record.minute,
                                                  record.second, record.millisecond);
            if (time >= span.startMs && time <= span.endMs && !out.add(record)) return;
        }
        if (!out.records.empty()) return;
    }
    if (spans.empty()) out.records = std::move(all.records);
}

void ReadGpxSideFile(const GPSInput& input, GPSData& out) {
    ReadGpxTrackPoints(input.source, input.path.empty() ? std::vector<ClipSpan>{} : ClipSpans(input.path), out);
}
