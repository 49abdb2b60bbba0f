#include "Insta360Reader.h"

#include "DialectFields.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace {

// The file ends with the header of the trailer's last record and a 72-byte
// footer: 32 the trailer's length (little-endian, footer and headers
// included), 40 an ASCII magic. Records run backwards from there: each one's
// data lies just before its 6-byte header (0 id, 2 data length).
constexpr int64_t kEndSize = 78;
constexpr int64_t kRecordHeaderSize = 6;
constexpr size_t kTrailerLengthOffset = 38;
constexpr size_t kMagicOffset = 46;
constexpr char kMagic[] = "8db42d694ccc418790edff439fe026bf";
constexpr size_t kMagicSize = sizeof kMagic - 1;

constexpr uint16_t kGpsRecordId = 0x700;

// One GPS fix, little-endian: 0 seconds since 1970 UTC (u32), 10 'A' for a
// fix, 11 latitude (double, degrees), 19 'N'/'S', 20 longitude, 28 'E' or a
// west letter ('W', some firmwares 'O'), 29 speed (double, m/s), 37 course,
// 45 altitude (metres).
constexpr size_t kFixSize = 53;
constexpr size_t kFixTime = 0;
constexpr size_t kFixStatus = 10;
constexpr size_t kFixLatitude = 11;
constexpr size_t kFixLatitudeRef = 19;
constexpr size_t kFixLongitude = 20;
constexpr size_t kFixLongitudeRef = 28;
constexpr size_t kFixSpeed = 29;
constexpr size_t kFixCourse = 37;
constexpr size_t kFixAltitude = 45;

constexpr size_t kFixesPerRead = 1024;
// Real trailers hold about ten records; the bound keeps a hostile one from
// turning the walk into millions of tiny reads.
constexpr int kMaxRecords = 65536;

struct Trailer {
    int64_t start;      // first byte of the trailer
    int64_t lastData;   // end of the last record's data
    unsigned char lastHeader[kRecordHeaderSize];
};

std::optional<Trailer> FindTrailer(ByteSource& source) {
    const int64_t size = source.size();
    unsigned char end[kEndSize];
    if (size < kEndSize || !source.readExactAt(size - kEndSize, end, sizeof end)) return std::nullopt;
    if (std::memcmp(end + kMagicOffset, kMagic, kMagicSize) != 0) return std::nullopt;
    const int64_t length = LoadLE32(end + kTrailerLengthOffset);
    if (length < kEndSize || length > size) return std::nullopt;
    Trailer trailer{size - length, size - kEndSize, {}};
    std::memcpy(trailer.lastHeader, end, kRecordHeaderSize);
    return trailer;
}

bool DecodeFix(const unsigned char* fix, GPSRecord& record) {
    const char latRef = char(fix[kFixLatitudeRef]);
    const char lonRef = char(fix[kFixLongitudeRef]);
    if (fix[kFixStatus] != 'A' || (latRef != 'N' && latRef != 'S')) return false;
    if (!SetUtcTime(record, LoadLE32(fix + kFixTime))) return false;
    record.latRef = latRef;
    record.lonRef = lonRef == 'E' ? 'E' : 'W';
    record.lat = std::fabs(LoadLEDouble(fix + kFixLatitude));
    record.lon = std::fabs(LoadLEDouble(fix + kFixLongitude));
    record.speed = LoadLEDouble(fix + kFixSpeed) * kKnotsPerMps;
    record.heading = LoadLEDouble(fix + kFixCourse);
    record.altitude = LoadLEDouble(fix + kFixAltitude);
    return true;
}

// Returns false once the data bound is reached.
bool ReadFixes(ByteSource& source, int64_t offset, int64_t length, GPSData& out) {
    std::vector<unsigned char> buffer(kFixSize * kFixesPerRead);
    for (int64_t done = 0; length - done >= int64_t(kFixSize);) {
        const int64_t whole = (length - done) / int64_t(kFixSize) * int64_t(kFixSize);
        const size_t chunk = size_t(std::min<int64_t>(whole, int64_t(buffer.size())));
        if (!source.readExactAt(offset + done, buffer.data(), chunk)) return true;
        for (size_t at = 0; at < chunk; at += kFixSize) {
            GPSRecord record{};
            if (DecodeFix(buffer.data() + at, record) && !out.add(record)) return false;
        }
        done += int64_t(chunk);
    }
    return true;
}

}  // namespace

bool RecogniseInsta360(const GPSProbe& probe) { return FindTrailer(probe.source).has_value(); }

void ReadInsta360(const GPSInput& input, GPSData& out) {
    const std::optional<Trailer> trailer = FindTrailer(input.source);
    if (!trailer) return;
    out.clock = GPSClock::UTC;
    // Records are met last first; their fixes are gathered per record and
    // the records put back in file order.
    std::vector<std::pair<int64_t, int64_t>> gpsRecords;
    unsigned char header[kRecordHeaderSize];
    std::memcpy(header, trailer->lastHeader, sizeof header);
    int64_t dataEnd = trailer->lastData;
    for (int walked = 0; walked < kMaxRecords; ++walked) {
        const int64_t length = LoadLE32(header + 2);
        if (length > dataEnd - trailer->start) break;
        const int64_t dataStart = dataEnd - length;
        if (LoadLE16(header) == kGpsRecordId && length >= int64_t(kFixSize)) gpsRecords.emplace_back(dataStart, length);
        dataEnd = dataStart - kRecordHeaderSize;
        if (dataEnd < trailer->start || !input.source.readExactAt(dataEnd, header, sizeof header)) break;
    }
    for (auto record = gpsRecords.rbegin(); record != gpsRecords.rend(); ++record) {
        if (!ReadFixes(input.source, record->first, record->second, out)) return;
    }
}
