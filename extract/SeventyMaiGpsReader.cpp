#include "SeventyMaiGpsReader.h"

#include "DialectFields.h"
#include "IsoAtoms.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

constexpr FourCC kGpsAtom = MakeFourCC("GPS ");
constexpr FourCC kMovieHeader = MakeFourCC("mvhd");

// mvhd: 0 version, 4 creation time (u32, or u64 in version 1), seconds since
// 1904 on the camera's clock.
constexpr size_t kHeaderCreation = 4;

// One fix, little-endian: 8 seconds from the start of the clip (u32), 12
// speed (u32, km/h x 1000), 16 'N'/'S', 17 latitude (u32, ddmm.mmm x 1000),
// 21 'E'/'W', 22 longitude the same way. All zero ends the list.
constexpr size_t kFixSize = 36;
constexpr size_t kFixSeconds = 8;
constexpr size_t kFixSpeed = 12;
constexpr size_t kFixLatitudeRef = 16;
constexpr size_t kFixLatitude = 17;
constexpr size_t kFixLongitudeRef = 21;
constexpr size_t kFixLongitude = 22;
constexpr double kScale = 1000;

std::optional<int64_t> CreationTime(ByteSource& source) {
    for (const Mp4AtomRef& atom : ReadMovieChildren(source)) {
        unsigned char header[kHeaderCreation + 8];
        if (atom.type != kMovieHeader || atom.size < int64_t(sizeof header) ||
            !source.readExactAt(atom.offset, header, sizeof header))
            continue;
        const uint64_t since1904 = header[0] == 1 ? (uint64_t{LoadBE32(header + 4)} << 32) | LoadBE32(header + 8)
                                                  : LoadBE32(header + 4);
        if (since1904 == 0 || since1904 > uint64_t(INT64_MAX / 2)) return std::nullopt;
        return int64_t(since1904) - kQuickTimeToUnixSeconds;
    }
    return std::nullopt;
}

std::optional<Mp4AtomRef> FindGpsAtom(ByteSource& source) {
    const IsoAtomList top = ReadTopLevelAtoms(source);
    const auto atom = std::find_if(top.atoms.begin(), top.atoms.end(), [](const Mp4AtomRef& a) { return a.type == kGpsAtom; });
    if (atom == top.atoms.end()) return std::nullopt;
    return *atom;
}

}  // namespace

bool RecogniseSeventyMaiGps(const GPSProbe& probe) { return FindGpsAtom(probe.source).has_value(); }

void ReadSeventyMaiGps(const GPSInput& input, GPSData& out) {
    const std::optional<Mp4AtomRef> atom = FindGpsAtom(input.source);
    const std::optional<int64_t> start = CreationTime(input.source);
    if (!atom || !start) return;
    ForEachAtomItem(input.source, *atom, kFixSize, [&out, start](const unsigned char* fix) {
        if (std::all_of(fix, fix + kFixSize, [](unsigned char byte) { return byte == 0; })) return false;
        GPSRecord record{};
        // The camera's clock, read back as a calendar without any zone.
        if (!SetUtcTime(record, *start + LoadLE32(fix + kFixSeconds))) return true;
        record.latRef = char(fix[kFixLatitudeRef]);
        record.lonRef = char(fix[kFixLongitudeRef]);
        record.lat = DegreesFromDegreesMinutes(LoadLE32(fix + kFixLatitude) / kScale);
        record.lon = DegreesFromDegreesMinutes(LoadLE32(fix + kFixLongitude) / kScale);
        record.speed = LoadLE32(fix + kFixSpeed) / kScale * kKnotsPerKmh;
        return out.add(record);
    });
}
