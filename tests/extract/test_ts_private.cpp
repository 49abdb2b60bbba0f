#include "FreeGpsBuilder.h"
#include "GPSText.h"
#include "TsBuilder.h"
#include "TsPrivateGPSReader.h"

#include <gtest/gtest.h>


namespace {

// A Novatek TS body: the Viofo A119 V3 record without its 16-byte box header, in a packet of PID 0x0301.
std::string Novatek(int second) {
    return TsGpsPacket(FreeGpsBox().ints(0x10, {8, 7, second, 21, 3, 11}).text(0x28, "ANE")
                           .floats(0x2c, {2234.5678f, 11354.321f, 20.5f}).bytes().substr(16, 0x40),
                       {0x43, 0x01});
}

// With the 4-byte timestamp of .M2TS files before every packet.
std::string M2ts(const std::vector<std::string>& packets) {
    std::string bytes;
    for (const std::string& packet : packets) bytes += std::string("\x12\x34\x56\x78", 4) + packet;
    return bytes;
}

TEST(TsPrivateGPS, ReadsEachStreamKindInEitherPacketSize) {
    const std::string text = TsGpsPacket("A,110321,080724,2234.5678,N,11354.3210,E,20.5,1,2,3");
    const struct { const char* name; std::string bytes; std::vector<int> seconds; GPSClock clock; } cases[] = {
        {"Novatek bodies, 188-byte packets", TsFillerPacket() + Novatek(24) + Novatek(25), {24, 25}, GPSClock::UTC},
        {"Novatek bodies, 192-byte packets", M2ts({Novatek(24), TsFillerPacket(), Novatek(25)}), {24, 25}, GPSClock::UTC},
        {"GPS texts of PID 0x1600, 192-byte packets", M2ts({text, text}), {24, 24}, GPSClock::Local},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryByteSource source(c.bytes);
        GPSData out;
        ReadTsPrivateGPS(GPSInput{source, ""}, out);
        std::vector<int> seconds;
        for (const GPSRecord& r : out.records) seconds.push_back(r.second);
        EXPECT_EQ(seconds, c.seconds);
        ASSERT_FALSE(out.records.empty());
        EXPECT_TRUE(IsValidRecord(out.records[0]));
        EXPECT_NEAR(out.records[0].lat, 22 + 34.5678 / 60, 1e-5);
        EXPECT_EQ(out.clock, c.clock);
    }
}

}  // namespace
