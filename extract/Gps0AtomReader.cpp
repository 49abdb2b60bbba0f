#include "Gps0AtomReader.h"

#include "DialectFields.h"
#include "IsoAtoms.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr FourCC kGpsAtom = MakeFourCC("gps0");
constexpr FourCC kSensorAtom = MakeFourCC("gsen");

// One fix, little-endian: 0 latitude and 8 longitude (doubles, signed
// ddmm.mmmm), 16 altitude (s32, metres), 20 speed (u16, km/h), 22 year - 2000,
// month, day, hour, minute, second (u8 each, UTC), 28 course / 2 (u8).
constexpr size_t kFixSize = 32;
constexpr size_t kFixLatitude = 0;
constexpr size_t kFixLongitude = 8;
constexpr size_t kFixAltitude = 16;
constexpr size_t kFixSpeed = 20;
constexpr size_t kFixDate = 22;
constexpr size_t kFixCourse = 28;
constexpr double kMaxDegreesMinutesLatitude = 9000;
constexpr double kMaxDegreesMinutesLongitude = 18000;
// Another camera (Lamax S9) writes an enciphered text under the same name.
constexpr unsigned char kCipherMark[] = {0xF2, 0xE1, 0xF0, 0xEE, 'T', 'T', 0x98};
constexpr size_t kCipherMarkOffset = 2;

// One reading: X, Y, Z as signed bytes in sixteenths of g, five a second.
constexpr size_t kSampleSize = 3;
constexpr double kSampleUnitsPerG = 16;
constexpr double kSampleIntervalMs = 200;

bool DecodeFix(const unsigned char* fix, GPSRecord& record) {
    const double latitude = LoadLEDouble(fix + kFixLatitude);
    const double longitude = LoadLEDouble(fix + kFixLongitude);
    if (!(std::fabs(latitude) <= kMaxDegreesMinutesLatitude && std::fabs(longitude) <= kMaxDegreesMinutesLongitude))
        return false;
    SetSignedPosition(record, DegreesFromDegreesMinutes(latitude), DegreesFromDegreesMinutes(longitude));
    SetDateTimeBytes(record, fix + kFixDate, 2000);
    record.altitude = int32_t(LoadLE32(fix + kFixAltitude));
    record.speed = LoadLE16(fix + kFixSpeed) * kKnotsPerKmh;
    record.heading = fix[kFixCourse] * 2.0;
    return true;
}

bool IsEnciphered(ByteSource& source, const Mp4AtomRef& atom) {
    unsigned char mark[sizeof kCipherMark];
    return atom.size >= int64_t(kCipherMarkOffset + sizeof mark) &&
           source.readExactAt(atom.offset + kCipherMarkOffset, mark, sizeof mark) &&
           std::memcmp(mark, kCipherMark, sizeof mark) == 0;
}

}  // namespace

bool RecogniseGps0Atom(const GPSProbe& probe) {
    const IsoAtomList top = ReadTopLevelAtoms(probe.source);
    return std::any_of(top.atoms.begin(), top.atoms.end(), [](const Mp4AtomRef& atom) { return atom.type == kGpsAtom; });
}

void ReadGps0Atom(const GPSInput& input, GPSData& out) {
    out.clock = GPSClock::UTC;
    for (const Mp4AtomRef& atom : ReadTopLevelAtoms(input.source).atoms) {
        if (atom.type == kGpsAtom && !IsEnciphered(input.source, atom)) {
            ForEachAtomItem(input.source, atom, kFixSize, [&out](const unsigned char* fix) {
                GPSRecord record{};
                return !DecodeFix(fix, record) || out.add(record);
            });
        } else if (atom.type == kSensorAtom) {
            size_t index = 0;
            ForEachAtomItem(input.source, atom, kSampleSize, [&out, &index](const unsigned char* sample) {
                const auto hundredths = [sample](size_t axis) { return int8_t(sample[axis]) * 100.0 / kSampleUnitsPerG; };
                return out.addAccel({double(index++) * kSampleIntervalMs, hundredths(0), hundredths(1), hundredths(2)});
            });
        }
    }
}
