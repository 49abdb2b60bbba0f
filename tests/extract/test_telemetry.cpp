#include "CammPacket.h"
#include "ExtractGPSRecords.h"
#include "GpmfPayload.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

// What each telemetry sample decodes to is the golden test's part; here, the fields its outputs
// leave out, and payloads no sample holds.
namespace {

std::string BE32(uint32_t value) { return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)}; }

// A GPMF item: key, type, sample size, repeat, then the samples padded to four bytes.
std::string Item(std::string_view key, char type, uint8_t sampleSize, uint16_t repeat, std::string_view samples) {
    return std::string(key) + std::string{type, char(sampleSize), char(repeat >> 8), char(repeat)} +
           std::string(samples) + std::string((4 - samples.size() % 4) % 4, '\0');
}
std::string Nest(std::string_view key, const std::string& items) { return Item(key, '\0', 4, uint16_t(items.size() / 4), items); }
std::string Longs(std::string_view key, size_t perSample, const std::vector<int32_t>& values) {
    std::string samples;
    for (const int32_t value : values) samples += BE32(uint32_t(value));
    return Item(key, 'l', uint8_t(4 * perSample), uint16_t(values.size() / perSample), samples);
}
std::string Camera(const std::string& streams) { return Nest("DEVC", Item("DVNM", 'c', 1, 6, "Camera") + streams); }

std::string Gps5Stream(uint32_t fix, const std::string& gpsTime = "191118234514.000") {
    return Nest("STRM", Item("GPSF", 'L', 4, 1, BE32(fix)) + Item("GPSU", 'U', 16, 1, gpsTime) +
                            Longs("SCAL", 1, {10000000, 10000000, 1000, 1000, 100}) +
                            Longs("GPS5", 5, {-335000000, -1172500000, 12500, 10000, 1000,  //
                                              -335000100, -1172500100, 12600, 11000, 1100}));
}

// 1 g down the first channel, half a g against the third, at 100 counts per m/s².
const std::string kAccelStream =
    Nest("STRM", Item("SCAL", 's', 2, 1, std::string{0, 100}) +
                     Item("ACCL", 's', 6, 2, std::string{3, char(0xD5), 0, 0, char(0xFE), 0x16, 3, char(0xD5), 0, 0, char(0xFE), 0x16}));

GPSData Decode(const std::string& payload) {
    GpmfTelemetry telemetry;
    DecodeGpmfPayload(reinterpret_cast<const unsigned char*>(payload.data()), payload.size(), 0, 1000, telemetry);
    GPSData out;
    AddTelemetry(GpmfFixes(telemetry), telemetry.accel, out);
    return out;
}

TEST(Telemetry, SamplesKeepAltitudeHeadingAndFixQuality) {
    const double none = kUnknownValue;
    const struct { const char* sample; double altitude, heading; int fixQuality; } cases[] = {
        {"gopro-gpmf/gps5-accl.mp4", 12.5, none, 3}, {"gopro-gpmf/gps5-accl-orin.mp4", 12.5, none, 2},
        {"gopro-gpmf/gps9.mp4", 12.5, none, 3},      {"gopro-gpmf/karma.mp4", 12.5, 331.56, 0},
        {"google-camm/accel-gps.mp4", 40, 36.869898, 3}, {"google-camm/location.mp4", 10, none, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sample);
        const GPSExtraction extraction = ReadGPSData(std::string(KOLVAR_GOLDEN_SAMPLES "/") + c.sample);
        ASSERT_FALSE(extraction.data.records.empty());
        const GPSRecord& r = extraction.data.records.front();
        EXPECT_NEAR(r.altitude, c.altitude, 1e-6);
        EXPECT_TRUE(std::isnan(c.heading) ? std::isnan(r.heading) : std::abs(r.heading - c.heading) < 1e-5) << r.heading;
        EXPECT_EQ(r.fixQuality, c.fixQuality);
    }
}

TEST(Gpmf, HostilePayloadsYieldFewerFixesAndReadNothingOutside) {
    const std::string whole = Camera(kAccelStream + Gps5Stream(3));
    ASSERT_EQ(Decode(whole).records.size(), 2u);
    // Each prefix in a buffer of exactly its size, so a read past it is a heap overflow.
    for (size_t length = 0; length < whole.size(); ++length) {
        const std::vector<unsigned char> prefix(whole.begin(), whole.begin() + length);
        GpmfTelemetry telemetry;
        DecodeGpmfPayload(prefix.data(), prefix.size(), 0, 1000, telemetry);
        EXPECT_LE(telemetry.gps5.size(), 2u);
        EXPECT_LE(telemetry.accel.size(), 2u);
    }
    const std::string scaledByZero =
        Nest("STRM", Item("GPSU", 'U', 16, 1, "191118234514.000") + Longs("SCAL", 1, {0}) +
                         Longs("GPS5", 5, {335000000, 1172500000, 12500, 10000, 1000}));
    const std::string hostile[] = {
        Camera(Nest("STRM", Item("GPSU", 'U', 16, 1, "191118234514.000") + Item("GPS5", 'l', 20, 65535, ""))),
        Item("DEVC", '\0', 255, 65535, "") + Camera(Gps5Stream(3)),
        Camera(scaledByZero),
        Camera(Nest("STRM", Item("TYPE", 'c', 1, 9, "lllllllS[") + Item("GPS9", '?', 32, 1, std::string(32, '\1')))),
        Camera(Gps5Stream(0)),                       // no fix
        Camera(Gps5Stream(3, "19111823451x.000")),  // no time
    };
    for (const std::string& payload : hostile) EXPECT_TRUE(Decode(payload).records.empty());
}

// CAMM packets, little-endian like the test machine: reserved, type, payload.
template <class... Values>
std::string CammPacket(uint16_t type, Values... values) {
    std::string bytes(4, '\0');
    std::memcpy(bytes.data() + 2, &type, 2);
    ((bytes += std::string(reinterpret_cast<const char*>(&values), sizeof values)), ...);
    return bytes;
}

TEST(Camm, TruncatedOrUnknownPacketsYieldNoFixAndReadNothingOutside) {
    // 2023-05-06 01:00:00.250 UTC on the GPS clock, 18 leap seconds ahead.
    const double gpsSeconds = 1683334800.25 - 315964800 + 18;
    const auto gps = [&](int32_t fixType) {
        return CammPacket(6, gpsSeconds, fixType, 48.5, 2.25, 10.0f, 3.5f, 3.5f, 0.0f, 0.0f, 0.0f, 3.5f);
    };
    const auto decode = [](const std::string& sample) {
        std::vector<TelemetryFix> fixes;
        std::vector<AccelSample> accel;
        const std::vector<unsigned char> bytes(sample.begin(), sample.end());  // nothing to read past
        DecodeCammSample(bytes.data(), bytes.size(), {0, 1600000000000}, fixes, accel);
        return std::pair(fixes.size(), accel.size());
    };
    const std::string whole = CammPacket(3, 0.0f, 0.0f, 9.8f) + gps(3);
    ASSERT_EQ(decode(whole), std::pair(size_t{1}, size_t{1}));
    for (size_t length = 0; length < whole.size(); ++length)
        EXPECT_EQ(decode(whole.substr(0, length)), std::pair(size_t{0}, size_t{length >= 16})) << length;
    // A packet without a fix, and one behind an unknown type, whose size is unknown.
    EXPECT_EQ(decode(gps(0)).first, 0u);
    EXPECT_EQ(decode(CammPacket(8, 0.0, 0.0f) + gps(3)).first, 0u);
}

}  // namespace
