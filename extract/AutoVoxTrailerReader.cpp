#include "AutoVoxTrailerReader.h"

#include "DialectFields.h"
#include "IsoAtoms.h"

#include <optional>

namespace {

constexpr FourCC kGpsChunk = MakeFourCC("gps0");
constexpr FourCC kSensorChunk = MakeFourCC("gsen");
constexpr FourCC kTrailerChunks[] = {MakeFourCC("gpsa"), kGpsChunk, kSensorChunk, MakeFourCC("gsea")};

// Chunk header: 0 id, 4 data length (little-endian); no pad bytes.
constexpr int64_t kChunkHeaderSize = 8;
constexpr uint32_t kMaxChunkLength = 0x2000000;
constexpr int kMaxChunks = 4096;

// One fix: 0 "AITG", 4 latitude and 12 longitude (little-endian doubles,
// unsigned ddmm.mmmm), 24 speed (u16, knots), 26 year - 1900, month, day,
// hour, minute, second (u8 each, UTC), 32 course / 2, 33 1 north or 2 south,
// 34 1 east or 2 west.
constexpr size_t kFixSize = 0x28;
constexpr uint32_t kFixMark = MakeFourCC("AITG");
constexpr size_t kFixLatitude = 4;
constexpr size_t kFixLongitude = 12;
constexpr size_t kFixSpeed = 24;
constexpr size_t kFixDate = 26;
constexpr size_t kFixCourse = 32;
constexpr size_t kFixLatitudeRef = 33;
constexpr size_t kFixLongitudeRef = 34;
constexpr unsigned char kSouthOrWest = 2;

// One reading: 0 "AITS", 4 X, Y, Z (signed bytes, 24 to the g), 8
// milliseconds since the clip started (u32).
constexpr size_t kSampleSize = 12;
constexpr uint32_t kSampleMark = MakeFourCC("AITS");
constexpr size_t kSampleAxes = 4;
constexpr size_t kSampleTime = 8;
constexpr double kSampleUnitsPerG = 24;

bool IsTrailerChunk(const unsigned char* header) {
    const FourCC id = LoadBE32(header);
    for (const FourCC chunk : kTrailerChunks) {
        if (id == chunk) return LoadLE32(header + 4) < kMaxChunkLength;
    }
    return false;
}

std::optional<int64_t> FindTrailer(ByteSource& source) {
    const IsoAtomList top = ReadTopLevelAtoms(source);
    unsigned char header[kChunkHeaderSize];
    if (top.atoms.empty() || !source.readExactAt(top.end, header, sizeof header) || !IsTrailerChunk(header))
        return std::nullopt;
    return top.end;
}

bool DecodeFix(const unsigned char* fix, GPSRecord& record) {
    const double latitude = LoadLEDouble(fix + kFixLatitude);
    const double longitude = LoadLEDouble(fix + kFixLongitude);
    if (LoadBE32(fix) != kFixMark || !(latitude >= 0 && latitude <= 9000 && longitude >= 0 && longitude <= 18000))
        return false;
    record.latRef = fix[kFixLatitudeRef] == kSouthOrWest ? 'S' : 'N';
    record.lonRef = fix[kFixLongitudeRef] == kSouthOrWest ? 'W' : 'E';
    record.lat = DegreesFromDegreesMinutes(latitude);
    record.lon = DegreesFromDegreesMinutes(longitude);
    SetDateTimeBytes(record, fix + kFixDate, 1900);
    record.speed = LoadLE16(fix + kFixSpeed);
    record.heading = fix[kFixCourse] * 2.0;
    return true;
}

}  // namespace

bool RecogniseAutoVoxTrailer(const GPSProbe& probe) { return FindTrailer(probe.source).has_value(); }

void ReadAutoVoxTrailer(const GPSInput& input, GPSData& out) {
    const std::optional<int64_t> trailer = FindTrailer(input.source);
    if (!trailer) return;
    out.clock = GPSClock::UTC;
    int64_t position = *trailer;
    unsigned char header[kChunkHeaderSize];
    for (int chunks = 0; chunks < kMaxChunks && input.source.readExactAt(position, header, sizeof header) &&
                         IsTrailerChunk(header);
         ++chunks) {
        const Mp4AtomRef chunk{LoadBE32(header), position + kChunkHeaderSize, LoadLE32(header + 4)};
        if (chunk.size > input.source.size() - chunk.offset) return;
        bool more = true;
        if (chunk.type == kGpsChunk) {
            ForEachAtomItem(input.source, chunk, kFixSize, [&out, &more](const unsigned char* fix) {
                GPSRecord record{};
                if (DecodeFix(fix, record)) more = out.add(record);
                return more;
            });
        } else if (chunk.type == kSensorChunk) {
            ForEachAtomItem(input.source, chunk, kSampleSize, [&out, &more](const unsigned char* sample) {
                if (LoadBE32(sample) != kSampleMark) return true;
                const auto hundredths = [sample](size_t axis) {
                    return int8_t(sample[kSampleAxes + axis]) * 100.0 / kSampleUnitsPerG;
                };
                more = out.addAccel({double(LoadLE32(sample + kSampleTime)), hundredths(0), hundredths(1), hundredths(2)});
                return more;
            });
        }
        if (!more) return;
        position = chunk.offset + chunk.size;
    }
}
