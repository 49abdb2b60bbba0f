#include "VantrueFmasReader.h"

#include "DialectFields.h"
#include "MetadataSamples.h"
#include "MovRecognition.h"
#include "InputMovie.h"

#include <cstring>

namespace {

constexpr FourCC kFormat = MakeFourCC("gpmd");
constexpr unsigned char kSignature[8] = {'F', 'M', 'A', 'S', 0, 0, 0, 0};
constexpr size_t kRecordSize = 136;
constexpr double kMinuteFractions = 6000;  // of a minute, in the fraction fields
constexpr double kMinutesPerDegree = 60;

double Degrees(const unsigned char* degrees, const unsigned char* fraction) {
    return degrees[0] + (degrees[1] + LoadLE16(fraction) / kMinuteFractions) / kMinutesPerDegree;
}

}  // namespace

bool DecodeFmasRecord(const unsigned char* p, size_t size, GPSRecord& r) {
    if (size < kRecordSize || std::memcmp(p, kSignature, sizeof kSignature) != 0) return false;
    if (p[120] != 'A') return false;  // 120: status, 'A' with a fix
    r = GPSRecord{};
    r.year = LoadLE16(p + 96);  // 96: year, uint16; 98-102: month, day, hour, minute, second
    r.month = p[98];
    r.day = p[99];
    r.hour = p[100];
    r.minute = p[101];
    r.second = p[102];
    // 108: accelerometer, three float32 in g, the vertical first
    r.gsZ = LoadLEFloat(p + 108) * 100;
    r.gsY = LoadLEFloat(p + 112) * 100;
    r.gsX = LoadLEFloat(p + 116) * 100;
    r.lonRef = static_cast<char>(p[121]);  // 121: 'E' or 'W'
    r.latRef = static_cast<char>(p[122]);  // 122: 'N' or 'S'
    r.lon = Degrees(p + 123, p + 126);     // 123: degrees, 124: minutes, 126: 1/6000 minute, uint16
    r.lat = Degrees(p + 128, p + 130);     // 128: degrees, 129: minutes, 130: 1/6000 minute, uint16
    r.speed = LoadLE16(p + 132) * kKnotsPerMph;  // 132: speed, mph
    r.heading = LoadLE16(p + 134);               // 134: course, degrees
    return IsValidRecord(r);
}

bool RecogniseVantrueFmas(const GPSProbe& probe) { return IsMovFamily(probe); }

void ReadVantrueFmas(const GPSInput& input, GPSData& out) {
    const std::optional<Mp4Movie> movie =
        ReadInputMovie(input, [](const Mp4Track& track) { return track.format == kFormat; });
    if (!movie) return;
    ForEachMetadataSample(input.source, *movie, kFormat, [&](const Mp4Sample& sample, const unsigned char* data) {
        GPSRecord record;
        return !DecodeFmasRecord(data, sample.size, record) || out.add(record);
    });
}
