#include "FreeGpsBuilder.h"
#include "GPSText.h"
#include "TsBuilder.h"
#include "TsPrivateGPSReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr size_t kBoxHeader = 16;

// With the 4-byte timestamp of .M2TS files before every packet.
std::string M2ts(const std::vector<std::string>& packets) {
    std::string bytes;
    for (const std::string& packet : packets) bytes += std::string("\x12\x34\x56\x78", 4) + packet;
    return bytes;
}

std::string Concat(const std::vector<std::string>& packets) {
    std::string bytes;
    for (const std::string& packet : packets) bytes += packet;
    return bytes;
}

GPSData Read(const std::string& bytes) {
    MemoryByteSource source(bytes);
    GPSData out;
    ReadTsPrivateGPS(GPSInput{source, ""}, out);
    return out;
}

// A Novatek TS body: the Viofo A119 V3 record without its box header.
std::string NovatekBody(int second) {
    return FreeGpsBox().ints(0x10, {8, 7, second, 21, 3, 11}).text(0x28, "ANE")
        .floats(0x2c, {2234.5678f, 11354.321f, 20.5f}).bytes().substr(kBoxHeader, 0x40);
}

const TsGpsPacketLayout kNovatekPid{0x43, 0x01};  // PID 0x0301, unit start

TEST(TsPrivateGPS, ReadsEachStreamKind) {
    const std::string text = "A,110321,080724,2234.5678,N,11354.3210,E,20.5,1,2,3";
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<int> seconds;
        GPSClock clock;
        double lat;
    };
    // The texts read as the 188-byte reader reads them.
    GPSRecord parsed{};
    ASSERT_TRUE(ParseGPSText(text, parsed));
    const double novatekLat = 22 + 34.5678 / 60;
    const Case cases[] = {
        {"Novatek bodies, 188-byte packets",
         Concat({TsFillerPacket(), TsGpsPacket(NovatekBody(24), kNovatekPid), TsGpsPacket(NovatekBody(25), kNovatekPid)}),
         {24, 25}, GPSClock::UTC, novatekLat},
        {"Novatek bodies, 192-byte packets",
         M2ts({TsGpsPacket(NovatekBody(24), kNovatekPid), TsFillerPacket(), TsGpsPacket(NovatekBody(25), kNovatekPid)}),
         {24, 25}, GPSClock::UTC, novatekLat},
        {"GPS texts of PID 0x1600, 192-byte packets", M2ts({TsGpsPacket(text), TsGpsPacket(text)}), {24, 24},
         GPSClock::Local, parsed.lat},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GPSData out = Read(c.bytes);
        std::vector<int> seconds;
        for (const GPSRecord& r : out.records) seconds.push_back(r.second);
        EXPECT_EQ(seconds, c.seconds);
        ASSERT_FALSE(out.records.empty());
        EXPECT_TRUE(IsValidRecord(out.records[0]));
        EXPECT_NEAR(out.records[0].lat, c.lat, 1e-5);
        EXPECT_EQ(out.clock, c.clock);
    }
}

}  // namespace
