#include "CammPacket.h"
#include "GpmfPayload.h"
#include "TelemetryBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace gpmf;

std::string Gps5Stream(uint32_t fix, const std::string& gpsTime = "191118234514.000") {
    return Nest("STRM", Item("GPSF", 'L', 4, 1, BE32(fix)) + Item("GPSU", 'U', 16, 1, gpsTime) +
                            Longs("SCAL", 1, {10000000, 10000000, 1000, 1000, 100}) +
                            Longs("GPS5", 5, {-335000000, -1172500000, 12500, 10000, 1000,  //
                                              -335000100, -1172500100, 12600, 11000, 1100}));
}

// 1 g down the first channel, half a g against the third, at 100 counts per m/s².
std::string AccelStream(const std::string& orientation = "") {
    return Nest("STRM", (orientation.empty() ? "" : Text("ORIN", orientation)) + Shorts("SCAL", 1, {100}) +
                            Shorts("ACCL", 3, {981, 0, -490, 981, 0, -490}));
}

std::string Camera(const std::string& streams) { return Nest("DEVC", Text("DVNM", "Camera") + streams); }

std::string Gps9Stream() {
    const auto sample = [](int32_t lat, uint32_t seconds, uint16_t fix) {
        return BE32(uint32_t(lat)) + BE32(uint32_t(-1172500000)) + BE32(12500) + BE32(10000) + BE32(1000) +
               BE32(8526) /* 2023-05-06 */ + BE32(seconds) + std::string{0, 100} + std::string{0, char(fix)};
    };
    return Nest("STRM", Text("TYPE", "lllllllSS") +
                            Longs("SCAL", 1, {10000000, 10000000, 1000, 1000, 100, 1, 1000, 100, 1}) +
                            Item("GPS9", '?', 32, 2, sample(335000000, 3600250, 3) + sample(335000100, 3600350, 0)));
}

// The Karma drone's position on its own clock, and one reading of that clock against UTC.
std::string KarmaDevice() {
    const std::string position = BE32(146071) + BE32(335000000) + BE32(uint32_t(-1172500000)) + BE32(12500) +
                                 BE32(0) + std::string{1, 44, char(0xFE), 0x70, 0, 0} /* 3, -4, 0 m/s */ +
                                 std::string{char(0x81), char(0x84)} /* 331.56° */;
    return Nest("DEVC", Text("DVNM", "GoPro Karma v1.0") +
                            Nest("STRM", Text("TYPE", "LllllsssS") +
                                             Longs("SCAL", 1, {1000, 10000000, 10000000, 1000, 1000, 100, 100, 100, 100}) +
                                             Item("GLPI", '?', 28, 1, position)) +
                            Nest("STRM", Text("TYPE", "JJ") + Longs("SCAL", 1, {1000000, 1000}) +
                                             Item("SYST", '?', 16, 1,
                                                  BE32(0) + BE32(146544283) + BE32(0x15B) + BE32(0x7D62CA30))));
}

GPSData Decode(const std::string& payload) {
    GpmfTelemetry telemetry;
    DecodeGpmfPayload(reinterpret_cast<const unsigned char*>(payload.data()), payload.size(), 0, 1000, telemetry);
    GPSData out;
    AddTelemetry(GpmfFixes(telemetry), telemetry.accel, out);
    return out;
}

// 2023-05-06 01:00:00.250 UTC on the GPS clock, 18 leap seconds ahead.
constexpr double kGpsSeconds = 1683334800.25 - 315964800 + 18;
constexpr int64_t kCreatedMs = 1600000000000;  // 2020-09-13 12:26:40 UTC

GPSData DecodeCamm(const std::string& sample) {
    std::vector<TelemetryFix> fixes;
    std::vector<AccelSample> accel;
    DecodeCammSample(reinterpret_cast<const unsigned char*>(sample.data()), sample.size(), {500, kCreatedMs}, fixes,
                     accel);
    GPSData out;
    AddTelemetry(fixes, accel, out);
    return out;
}

std::string TimeOf(const GPSRecord& r) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", r.year, r.month, r.day, r.hour, r.minute,
                  r.second, r.millisecond);
    return text;
}

// Each source with its time and the nearest accelerometer sample, as the first and last fix show them.
TEST(Telemetry, DecodesEachGpmfAndCammSource) {
    const double nan = kUnknownValue;
    const struct {
        const char* name;
        GPSData data;
        size_t count;
        std::string firstTime, lastTime, refs;
        double lat, lon, speedKnots, altitude, heading;
        int fixQuality;
        std::array<double, 3> g;  // gsX, gsY, gsZ of the first fix
    } cases[] = {
        {"GPS5 spread over the payload from GPSU", Decode(Camera(AccelStream() + Gps5Stream(3))), 2,
         "2019-11-18 23:45:14.000", "2019-11-18 23:45:14.500", "SW", 33.5, 117.25, 19.438445, 12.5, nan, 3,
         {0, -49.97, 100.03}},
        {"ORIN gives the channel order", Decode(Camera(AccelStream("XzY") + Gps5Stream(2))), 2,
         "2019-11-18 23:45:14.000", "2019-11-18 23:45:14.500", "SW", 33.5, 117.25, 19.438445, 12.5, nan, 2,
         {100.03, -49.97, 0}},
        {"GPS9 times each fix and drops those without one", Decode(Camera(Gps9Stream())), 1,
         "2023-05-06 01:00:00.250", "2023-05-06 01:00:00.250", "NW", 33.5, 117.25, 19.438445, 12.5, nan, 3, {0, 0, 0}},
        {"Karma positions on the drone's clock", Decode(KarmaDevice()), 1, "2017-04-17 19:27:57.527",
         "2017-04-17 19:27:57.527", "NW", 33.5, 117.25, 9.719222, 12.5, 331.56, 0, {0, 0, 0}},
        {"CAMM GPS on the GPS clock, the acceleration beside it",
         DecodeCamm(camm::Acceleration(0, 0, 9.80665f) + camm::Gps(kGpsSeconds, 3, -33.5, 151.25, 40, 3, 4)), 1,
         "2023-05-06 01:00:00.250", "2023-05-06 01:00:00.250", "SE", 33.5, 151.25, 9.719222, 40, 36.869898, 3,
         {0, 0, 100}},
        {"CAMM location, timed by the movie's creation", DecodeCamm(camm::Location(48.5, -2.25, 10)), 1,
         "2020-09-13 12:26:40.000", "2020-09-13 12:26:40.000", "NW", 48.5, 2.25, 0, 10, nan, 0, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.data.records.size(), c.count);
        const GPSRecord& r = c.data.records.front();
        EXPECT_EQ(TimeOf(r), c.firstTime);
        EXPECT_EQ(TimeOf(c.data.records.back()), c.lastTime);
        EXPECT_EQ(std::string({r.latRef, r.lonRef}), c.refs);
        const double got[] = {r.lat, r.lon, r.speed, r.altitude, r.gsX, r.gsY, r.gsZ};
        const double want[] = {c.lat, c.lon, c.speedKnots, c.altitude, c.g[0], c.g[1], c.g[2]};
        for (size_t i = 0; i < std::size(got); ++i) EXPECT_NEAR(got[i], want[i], i < 4 ? 1e-5 : 0.01) << i;
        EXPECT_TRUE(std::isnan(c.heading) ? std::isnan(r.heading) : std::abs(r.heading - c.heading) < 1e-5);
        EXPECT_EQ(r.fixQuality, c.fixQuality);
    }
}

TEST(Gpmf, HostilePayloadsYieldFewerFixesAndReadNothingOutside) {
    const std::string whole = Camera(AccelStream() + Gps5Stream(3));
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
        Camera(Nest("STRM", Text("TYPE", "lllllllS[") + Item("GPS9", '?', 32, 1, std::string(32, '\1')))),
    };
    for (const std::string& payload : hostile) EXPECT_TRUE(Decode(payload).records.empty());
    // Well-formed streams without a usable fix.
    EXPECT_TRUE(Decode(Camera(Gps5Stream(0))).records.empty());
    EXPECT_TRUE(Decode(Camera(Gps5Stream(3, "19111823451x.000"))).records.empty());
}

TEST(Camm, TruncatedOrUnknownPacketsYieldNoFixAndReadNothingOutside) {
    const std::string whole = camm::Acceleration(0, 0, 9.8f) + camm::Gps(kGpsSeconds, 3, 48.5, 2.25, 10, 0, 0);
    for (size_t length = 0; length < whole.size(); ++length) {
        const std::vector<unsigned char> prefix(whole.begin(), whole.begin() + length);
        std::vector<TelemetryFix> fixes;
        std::vector<AccelSample> accel;
        DecodeCammSample(prefix.data(), prefix.size(), {0, kCreatedMs}, fixes, accel);
        EXPECT_TRUE(fixes.empty());
        EXPECT_EQ(accel.size(), length >= 16 ? 1u : 0u);
    }
    // A packet without a fix, and one behind an unknown type, whose size is unknown.
    EXPECT_TRUE(DecodeCamm(camm::Gps(kGpsSeconds, 0, 48.5, 2.25, 10, 0, 0)).records.empty());
    EXPECT_TRUE(DecodeCamm(camm::Packet(8, std::string(12, '\0')) + camm::Gps(kGpsSeconds, 3, 48.5, 2.25, 10, 0, 0))
                    .records.empty());
}

}  // namespace
