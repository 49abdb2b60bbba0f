#include "CammPacket.h"
#include "TelemetryBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// 2023-05-06 01:00:00.250 UTC on the GPS clock, 18 leap seconds ahead.
constexpr double kGpsSeconds = 1683334800.25 - 315964800 + 18;
constexpr int64_t kCreatedMs = 1600000000000;  // 2020-09-13 12:26:40 UTC

GPSData Decode(const std::string& sample) {
    std::vector<TelemetryFix> fixes;
    std::vector<AccelSample> accel;
    DecodeCammSample(reinterpret_cast<const unsigned char*>(sample.data()), sample.size(), {500, kCreatedMs}, fixes,
                     accel);
    GPSData out;
    AddTelemetry(fixes, accel, out);
    return out;
}

TEST(Camm, DecodesGpsLocationAndAccelerationPackets) {
    struct Case {
        const char* name;
        std::string sample;
        size_t fixes;
        std::vector<int> time;  // year .. second, millisecond
        std::string refs;
        double lat, lon, speedKnots, heading, gsZ;
    };
    const Case cases[] = {
        {"a GPS packet on the GPS clock, with the acceleration beside it",
         camm::Acceleration(0, 0, 9.80665f) + camm::Gps(kGpsSeconds, 3, -33.5, 151.25, 40, 3, 4), 1,
         {2023, 5, 6, 1, 0, 0, 250}, "SE", 33.5, 151.25, 9.719222, 36.869898, 100},
        {"a location packet, timed by the movie's creation", camm::Location(48.5, -2.25, 10), 1,
         {2020, 9, 13, 12, 26, 40, 0}, "NW", 48.5, 2.25, 0, kUnknownValue, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GPSData data = Decode(c.sample);
        ASSERT_EQ(data.records.size(), c.fixes);
        const GPSRecord& r = data.records.front();
        EXPECT_EQ((std::vector<int>{r.year, r.month, r.day, r.hour, r.minute, r.second, r.millisecond}), c.time);
        EXPECT_EQ(std::string({r.latRef, r.lonRef}), c.refs);
        EXPECT_DOUBLE_EQ(r.lat, c.lat);
        EXPECT_DOUBLE_EQ(r.lon, c.lon);
        EXPECT_NEAR(r.speed, c.speedKnots, 1e-5);
        if (std::isnan(c.heading)) {
            EXPECT_TRUE(std::isnan(r.heading));
        } else {
            EXPECT_NEAR(r.heading, c.heading, 1e-5);
        }
        EXPECT_NEAR(r.gsZ, c.gsZ, 1e-4);
    }
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
    EXPECT_TRUE(Decode(camm::Gps(kGpsSeconds, 0, 48.5, 2.25, 10, 0, 0)).records.empty());
    EXPECT_TRUE(Decode(camm::Packet(8, std::string(12, '\0')) + camm::Gps(kGpsSeconds, 3, 48.5, 2.25, 10, 0, 0))
                    .records.empty());
}

}  // namespace
