#include "ExtractTestSupport.h"
#include "GPSText.h"
#include "TsBuilder.h"
#include "TsGPSReader.h"

#include <gtest/gtest.h>

namespace {

using namespace extract_test;
using Seconds = std::vector<int>;

ReadResult ReadTs(const std::string& bytes) { return ReadBytes(TsGPSReader::read, bytes); }

std::string Packet(int second, TsGpsPacketLayout layout = {}) { return TsGpsPacket(GPSTextAt(second), layout); }
TsGpsPacketLayout Headers(uint8_t a, uint8_t h) { return {.adaptationLength = a, .pesHeaderLength = h}; }

TEST(TsGPSReader, PayloadRunsFrom14PlusAPlusHToThePacketEnd) {
    // The text starts with an empty field 0 and its last field ends on the
    // packet's last byte, behind PES header bytes that are commas: a payload
    // that starts late loses a field, one that starts early gains one, one
    // that ends early loses the last digit.
    const std::string head = ",150615,123045,2234.5678,N,11354.3210,E,35.2,12,-3,";
    for (const auto& [a, h] : std::vector<std::pair<uint8_t, uint8_t>>{{7, 5}, {0, 0}, {0, 10}, {60, 40}, {120, 0}}) {
        const size_t payloadLength = kTsPacketSize - 14 - a - h;
        TsGpsPacketLayout layout = Headers(a, h);
        layout.pesHeaderFill = ',';
        const ReadResult result = ReadTs(TsGpsPacket(head + std::string(payloadLength - head.size() - 2, '0') + "98", layout));
        ASSERT_EQ(result.count, 1) << "A " << int(a) << " H " << int(h);
        EXPECT_EQ(result.records[0].gsZ, 98) << "A " << int(a) << " H " << int(h);
    }
    // Stuffing after the text changes nothing.
    for (char stuffing : {'\xFF', '\0'}) {
        const ReadResult result = ReadTs(Packet(9, {.stuffing = stuffing}));
        ASSERT_EQ(result.count, 1);
        EXPECT_EQ(result.records[0].gsZ, 98);
    }
    // A + H = 174 leaves an empty text; beyond that the text would have negative
    // length, and past A = 174 even H lies outside the packet. The reader moves on.
    EXPECT_EQ(ReadTs(TsGpsPacket("", Headers(100, 74)) + TsGpsPacket("", Headers(100, 75)) +
                     TsGpsPacket("", Headers(174, 255)) + TsGpsPacket("", Headers(175, 0)) +
                     TsGpsPacket("", Headers(255, 255)) + Packet(5))
                  .seconds(),
              (Seconds{5}));
}

TEST(TsGPSReader, PacketsLieOnlyAtMultiplesOf188FromTheStart) {
    // 192-byte packets with a 4-byte prefix, as in M2TS.
    const std::string zeros(4, '\0');
    EXPECT_EQ(ReadTs(zeros + Packet(1) + zeros + Packet(2)).count, 0);
    EXPECT_EQ(ReadTs(Packet(1) + "junk" + Packet(2)).seconds(), (Seconds{1})) << "no resynchronisation";

    // GPS packets at the edges of the reader's blocks, whatever their size in
    // packets, as long as it is a power of two up to 8192.
    std::string bytes;
    Seconds expected;
    for (int i = 0; i < 8200; ++i) {
        const bool edge = i % 1024 == 0 || i % 1024 == 1023;
        if (edge) expected.push_back(int(expected.size()) % 60);
        bytes += edge ? Packet(expected.back()) : TsFillerPacket(0x100, '\x47');
    }
    EXPECT_EQ(ReadTs(bytes).seconds(), expected);
}

}  // namespace
