#include "BinaryReaderSupport.h"
#include "TempFile.h"
#include "TsBuilder.h"
#include "TsGPSReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace binary_reader_test;

ReadResult ReadTs(const std::string& bytes) {
    TempFile file(bytes, "TS");
    return ReadWith<TsGPSReader>(file.path());
}

std::vector<int> Seconds(const ReadResult& result) {
    std::vector<int> seconds;
    for (const GPSRecord& record : result.records) seconds.push_back(record.second);
    return seconds;
}

TsGpsPacketLayout WithPid(uint8_t byte1, uint8_t byte2) {
    TsGpsPacketLayout layout;
    layout.pidByte1 = byte1;
    layout.pidByte2 = byte2;
    return layout;
}

TsGpsPacketLayout WithHeaders(uint8_t adaptationLength, uint8_t pesHeaderLength) {
    TsGpsPacketLayout layout;
    layout.adaptationLength = adaptationLength;
    layout.pesHeaderLength = pesHeaderLength;
    return layout;
}

TEST(TsGPSReader, TakesPacketsOfPid0x1600WhateverTheTopThreeBits) {
    const std::string bytes = TsGpsPacket(GpsText(1), WithPid(0x56, 0x00)) + TsFillerPacket() +
                              TsGpsPacket(GpsText(2), WithPid(0x16, 0x00)) +
                              TsGpsPacket(GpsText(3), WithPid(0x16, 0x01)) +
                              TsGpsPacket(GpsText(4), WithPid(0xF6, 0x00));
    const ReadResult result = ReadTs(bytes);
    EXPECT_EQ(Seconds(result), (std::vector<int>{1, 2, 4}));
    ASSERT_EQ(result.count, 3);
    EXPECT_EQ(result.records[0].year, 2015);
    EXPECT_DOUBLE_EQ(result.records[0].lon, 113.543210);
    EXPECT_EQ(result.records[0].lonRef, 'E');
}

TEST(TsGPSReader, PayloadRunsFrom14PlusAPlusHToThePacketEnd) {
    // The text starts with an empty field 0 and its last field ends on the
    // packet's last byte, behind PES header bytes that are commas: a payload
    // that starts late loses a field, one that starts early gains one, one
    // that ends early loses the last digit.
    for (const auto& [a, h] : std::vector<std::pair<uint8_t, uint8_t>>{{7, 5}, {0, 0}, {0, 10}, {60, 40}, {120, 0}}) {
        const size_t payloadLength = kTsPacketSize - 14 - a - h;
        const std::string head = ",150615,123045,2234.5678,N,11354.3210,E,35.2,12,-3,";
        ASSERT_GT(payloadLength, head.size() + 2);
        const std::string text = head + std::string(payloadLength - head.size() - 2, '0') + "98";

        TsGpsPacketLayout layout = WithHeaders(a, h);
        layout.pesHeaderFill = ',';
        const ReadResult result = ReadTs(TsGpsPacket(text, layout));
        ASSERT_EQ(result.count, 1) << "A " << int(a) << " H " << int(h);
        EXPECT_EQ(result.records[0].gsZ, 98) << "A " << int(a) << " H " << int(h);
        EXPECT_EQ(result.records[0].second, 45);
    }
}

TEST(TsGPSReader, StuffingAfterTheTextChangesNothing) {
    for (char stuffing : {'\xFF', '\0'}) {
        TsGpsPacketLayout layout;
        layout.stuffing = stuffing;
        const ReadResult result = ReadTs(TsGpsPacket(GpsText(9), layout));
        ASSERT_EQ(result.count, 1);
        EXPECT_EQ(result.records[0].gsZ, 98);
        EXPECT_EQ(result.records[0].second, 9);
    }
}

TEST(TsGPSReader, HeadersThatLeaveNoRoomGiveNoPayload) {
    // A + H = 174 leaves an empty text; beyond that the text would have negative
    // length, and past A = 174 even H lies outside the packet. The reader moves on.
    const std::string bytes = TsGpsPacket("", WithHeaders(100, 74)) + TsGpsPacket("", WithHeaders(100, 75)) +
                              TsGpsPacket("", WithHeaders(174, 255)) + TsGpsPacket("", WithHeaders(175, 0)) +
                              TsGpsPacket("", WithHeaders(255, 255)) + TsGpsPacket(GpsText(5));
    EXPECT_EQ(Seconds(ReadTs(bytes)), (std::vector<int>{5}));
}

TEST(TsGPSReader, PacketsLieOnlyAtMultiplesOf188FromTheStart) {
    const std::string packets = TsGpsPacket(GpsText(1)) + TsGpsPacket(GpsText(2));
    // 192-byte packets with a 4-byte prefix, as in M2TS.
    std::string prefixed;
    for (size_t at = 0; at < packets.size(); at += kTsPacketSize)
        prefixed += std::string(4, '\0') + packets.substr(at, kTsPacketSize);
    EXPECT_EQ(ReadTs(prefixed).count, 0);
    // No resynchronisation after a lost sync either.
    EXPECT_EQ(Seconds(ReadTs(TsGpsPacket(GpsText(1)) + "junk" + TsGpsPacket(GpsText(2)))), (std::vector<int>{1}));
}

TEST(TsGPSReader, FindsPacketsOnBothSidesOfEveryReadBoundary) {
    // Enough packets that GPS packets sit at the edges of the reader's blocks,
    // whatever their size in packets, as long as it is a power of two up to 8192.
    std::string bytes;
    std::vector<int> expected;
    for (int i = 0; i < 8200; ++i) {
        const bool edge = i % 1024 == 0 || i % 1024 == 1023;
        if (edge) expected.push_back(int(expected.size()) % 60);
        bytes += edge ? TsGpsPacket(GpsText(expected.back())) : TsFillerPacket(0x100, '\x47');
    }
    EXPECT_EQ(Seconds(ReadTs(bytes)), expected);
}

TEST(TsGPSReader, EmptyAndMissingFiles) {
    TempFile empty("", "TS");
    EXPECT_EQ(ReadWith<TsGPSReader>(empty.path(), 3).count, 0);
    EXPECT_EQ(ReadWith<TsGPSReader>("/nonexistent/clip.ts", 3).count, 3);
}

TEST(TsGPSReader, APacketCutByTheEndOfTheFileGivesNothing) {
    const std::string full = TsGpsPacket(GpsText(1)) + TsFillerPacket() + TsGpsPacket(GpsText(2));
    for (size_t cut = 0; cut <= full.size(); ++cut) {
        const ReadResult result = ReadTs(full.substr(0, cut));
        const int32_t wholeGpsPackets = (cut >= kTsPacketSize) + (cut == full.size());
        ASSERT_EQ(result.count, wholeGpsPackets) << "cut at " << cut;
    }
}

TEST(TsGPSReader, StopsStoringAtCapacity) {
    std::string bytes;
    for (int i = 0; i < kMaxGPSRecords + 50; ++i) bytes += TsGpsPacket(GpsText(i));
    const ReadResult result = ReadTs(bytes);
    ASSERT_EQ(result.count, kMaxGPSRecords);
    EXPECT_EQ(result.records.back().second, (kMaxGPSRecords - 1) % 60);
}

}  // namespace
