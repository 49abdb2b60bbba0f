#include "CammPacket.h"

#include "BinaryFile.h"
#include "CalendarClock.h"

#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

namespace {

constexpr size_t kPacketHeaderSize = 4;  // uint16 reserved, uint16 type

enum PacketType : uint16_t {
    kAngleAxis = 0,     // float[3]
    kExposure = 1,      // int32 exposure, int32 rolling-shutter skew (ns)
    kGyro = 2,          // float[3] rad/s
    kAcceleration = 3,  // float[3] m/s²
    kPosition = 4,      // float[3] m
    kLocation = 5,      // double latitude, longitude, altitude
    kGps = 6,           // see DecodeGps
    kMagneticField = 7, // float[3] µT
};
// Payload bytes after the header, by packet type.
constexpr size_t kPayloadSize[] = {12, 8, 12, 12, 12, 24, 56, 12};

// Offsets in a GPS packet's payload.
constexpr size_t kGpsTime = 0;           // double, seconds since the GPS epoch
constexpr size_t kGpsFixType = 8;        // int32: 0 none, 2 a 2-D fix, 3 a 3-D fix
constexpr size_t kGpsLatitude = 12;      // double, degrees
constexpr size_t kGpsLongitude = 20;     // double, degrees
constexpr size_t kGpsAltitude = 28;      // float, metres
constexpr size_t kGpsVelocityEast = 40;  // float, m/s
constexpr size_t kGpsVelocityNorth = 44; // float, m/s
// Offsets in a location packet's payload.
constexpr size_t kLocationLatitude = 0;
constexpr size_t kLocationLongitude = 8;
constexpr size_t kLocationAltitude = 16;

constexpr int32_t kFirstFix = 2;
constexpr double kStandardGravity = 9.80665;
constexpr double kHundredths = 100;
constexpr double kMsPerSecond = 1000;

const int64_t kGpsEpochMs = *UtcMilliseconds(1980, 1, 6, 0, 0, 0);

// The UTC instants at which a leap second had been inserted, each once.
std::vector<int64_t> LeapSecondInstants() {
    static const int kDates[][3] = {
        {1981, 7, 1}, {1982, 7, 1}, {1983, 7, 1}, {1985, 7, 1}, {1988, 1, 1}, {1990, 1, 1},
        {1991, 1, 1}, {1992, 7, 1}, {1993, 7, 1}, {1994, 7, 1}, {1996, 1, 1}, {1997, 7, 1},
        {1999, 1, 1}, {2006, 1, 1}, {2009, 1, 1}, {2012, 7, 1}, {2015, 7, 1}, {2017, 1, 1}};
    std::vector<int64_t> instants;
    for (const auto& date : kDates) instants.push_back(*UtcMilliseconds(date[0], date[1], date[2], 0, 0, 0));
    return instants;
}

// GPS time runs ahead of UTC by the leap seconds inserted since 1980.
int64_t GpsToUtcMs(int64_t gpsUtcMs) {
    static const std::vector<int64_t> kLeapInstants = LeapSecondInstants();
    int64_t leap = 0;
    for (const int64_t inserted : kLeapInstants) {
        if (gpsUtcMs - (leap + 1) * int64_t(kMsPerSecond) >= inserted) ++leap;
    }
    return gpsUtcMs - leap * int64_t(kMsPerSecond);
}

void DecodeGps(const unsigned char* p, const CammSample& sample, std::vector<TelemetryFix>& fixes) {
    const int32_t fixType = static_cast<int32_t>(LoadLE32(p + kGpsFixType));
    if (fixType < kFirstFix) return;
    TelemetryFix fix;
    const double gpsSeconds = LoadLEDouble(p + kGpsTime);
    if (gpsSeconds > 0 && gpsSeconds < 1e11)
        fix.utcMs = GpsToUtcMs(kGpsEpochMs + std::llround(gpsSeconds * kMsPerSecond));
    else if (sample.fallbackUtcMs != 0)
        fix.utcMs = sample.fallbackUtcMs;
    else
        return;
    fix.clipMs = sample.clipMs;
    fix.lat = LoadLEDouble(p + kGpsLatitude);
    fix.lon = LoadLEDouble(p + kGpsLongitude);
    fix.altitude = LoadLEFloat(p + kGpsAltitude);
    const double east = LoadLEFloat(p + kGpsVelocityEast), north = LoadLEFloat(p + kGpsVelocityNorth);
    fix.speed = std::hypot(east, north);
    if (fix.speed > 0) fix.heading = std::fmod(std::atan2(east, north) * 180 / std::numbers::pi + 360, 360);
    fix.fixQuality = fixType;
    fixes.push_back(fix);
}

void DecodeLocation(const unsigned char* p, const CammSample& sample, std::vector<TelemetryFix>& fixes) {
    if (sample.fallbackUtcMs == 0) return;
    TelemetryFix fix;
    fix.utcMs = sample.fallbackUtcMs;
    fix.clipMs = sample.clipMs;
    fix.lat = LoadLEDouble(p + kLocationLatitude);
    fix.lon = LoadLEDouble(p + kLocationLongitude);
    fix.altitude = LoadLEDouble(p + kLocationAltitude);
    fixes.push_back(fix);
}

}  // namespace

void DecodeCammSample(const unsigned char* data, size_t size, const CammSample& sample,
                      std::vector<TelemetryFix>& fixes, std::vector<AccelSample>& accel) {
    for (size_t offset = 0; size - offset >= kPacketHeaderSize && fixes.size() < GPSData::kMaxGPSRecords;) {
        const uint16_t type = LoadLE16(data + offset + 2);
        if (type >= std::size(kPayloadSize) || size - offset - kPacketHeaderSize < kPayloadSize[type]) return;
        const unsigned char* payload = data + offset + kPacketHeaderSize;
        if (type == kGps) DecodeGps(payload, sample, fixes);
        if (type == kLocation) DecodeLocation(payload, sample, fixes);
        if (type == kAcceleration && accel.size() < GPSData::kMaxAccelSamples) {
            const double scale = kHundredths / kStandardGravity;
            accel.push_back({sample.clipMs, LoadLEFloat(payload) * scale, LoadLEFloat(payload + 4) * scale,
                             LoadLEFloat(payload + 8) * scale});
        }
        offset += kPacketHeaderSize + kPayloadSize[type];
    }
}
