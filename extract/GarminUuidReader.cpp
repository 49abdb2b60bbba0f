#include "GarminUuidReader.h"

#include "DialectFields.h"
#include "IsoAtoms.h"

#include <cstring>
#include <optional>

namespace {

constexpr FourCC kUuidAtom = MakeFourCC("uuid");
constexpr unsigned char kGarminGpsUuid[16] = {0x9B, 0x63, 0x0F, 0x8D, 0x63, 0x74, 0x40, 0xEC,
                                              0x82, 0x04, 0xBC, 0x5F, 0xF5, 0x09, 0x17, 0x28};
// The payload: 0 the UUID, 16 a header of unknown use, 33 the fixes.
constexpr int64_t kFixesOffset = 33;

// One fix, big-endian: 0 seconds since 1904-01-01 UTC (u32), 4 speed (u16,
// mph), 12 latitude and 16 longitude (s32, 2^31 units = 180 degrees).
constexpr size_t kFixSize = 20;
constexpr size_t kFixTime = 0;
constexpr size_t kFixSpeed = 4;
constexpr size_t kFixLatitude = 12;
constexpr size_t kFixLongitude = 16;
constexpr double kDegreesPerUnit = 180.0 / 2147483648.0;

std::optional<Mp4AtomRef> FindGpsAtom(ByteSource& source) {
    for (const Mp4AtomRef& atom : ReadMovieChildren(source)) {
        unsigned char uuid[sizeof kGarminGpsUuid];
        if (atom.type == kUuidAtom && atom.size >= kFixesOffset &&
            source.readExactAt(atom.offset, uuid, sizeof uuid) && std::memcmp(uuid, kGarminGpsUuid, sizeof uuid) == 0)
            return Mp4AtomRef{atom.type, atom.offset + kFixesOffset, atom.size - kFixesOffset};
    }
    return std::nullopt;
}

}  // namespace

bool RecogniseGarminUuid(const GPSProbe& probe) { return FindGpsAtom(probe.source).has_value(); }

void ReadGarminUuid(const GPSInput& input, GPSData& out) {
    const std::optional<Mp4AtomRef> fixes = FindGpsAtom(input.source);
    if (!fixes) return;
    out.clock = GPSClock::UTC;
    ForEachAtomItem(input.source, *fixes, kFixSize, [&out](const unsigned char* fix) {
        GPSRecord record{};
        if (!SetUtcTime(record, int64_t{LoadBE32(fix + kFixTime)} - kQuickTimeToUnixSeconds)) return true;
        SetSignedPosition(record, int32_t(LoadBE32(fix + kFixLatitude)) * kDegreesPerUnit,
                          int32_t(LoadBE32(fix + kFixLongitude)) * kDegreesPerUnit);
        record.speed = LoadBE16(fix + kFixSpeed) * kKnotsPerMph;
        return out.add(record);
    });
}
