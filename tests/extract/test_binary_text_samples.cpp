#include "GarminPndmReader.h"
#include "VantrueFmasReader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// One record of an N2S clip, as published with the layout's description.
std::string SampleRecord() {
    const char* hex =
        "464d415300000000000000000000000000000000000000000000000000000000"
        "0000000000000000000000000000000002080108060802040702060000000000"
        "00000000000000004f464e494d4d415353414d4d010000000000000000000000"
        "e50709180800220002000000a1828abf89238ebd0b2c30bc41574e511600a101"
        "2926270c4b004900000000000000000000000000000000000052000000000000";
    std::string bytes;
    for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) bytes += static_cast<char>(std::stoi(std::string(hex + i, 2), nullptr, 16));
    return bytes;
}

TEST(VantrueFmas, DecodesTheRecordAndRefusesCutOrForeignOnes) {
    const std::string record = SampleRecord();
    const auto* bytes = reinterpret_cast<const unsigned char*>(record.data());
    GPSRecord r;
    ASSERT_TRUE(DecodeFmasRecord(bytes, record.size(), r));
    EXPECT_EQ((std::vector<int>{r.year, r.month, r.day, r.hour, r.minute, r.second}),
              (std::vector<int>{2021, 9, 24, 8, 0, 34}));
    EXPECT_EQ(std::string({r.latRef, r.lonRef}), "NW");
    EXPECT_NEAR(r.lat, 41 + (38 + 3111 / 6000.0) / 60, 1e-9);
    EXPECT_NEAR(r.lon, 81 + (22 + 417 / 6000.0) / 60, 1e-9);
    EXPECT_NEAR(r.speed * 1.852, 75 * 1.609344, 1e-3);
    EXPECT_NEAR(r.gsZ, -108.2, 0.1);

    EXPECT_FALSE(DecodeFmasRecord(bytes, 135, r));
    std::string noFix = record;
    noFix[120] = 'V';
    EXPECT_FALSE(DecodeFmasRecord(reinterpret_cast<const unsigned char*>(noFix.data()), noFix.size(), r));
    std::string gpmf = record;
    gpmf.replace(0, 4, "DEVC");
    EXPECT_FALSE(DecodeFmasRecord(reinterpret_cast<const unsigned char*>(gpmf.data()), gpmf.size(), r));
}

}  // namespace

namespace {

// Garmin's sample: "PNDM", 8 speed (mph), 12 latitude and 16 longitude in
// 2^31 units per 180°, big-endian; some writers put a size word first.
TEST(GarminPndm, DecodesWithOrWithoutTheSizeWord) {
    std::string fix = "PNDM" + std::string(4, '\0') + std::string("\0\x3c\0\0", 4);
    const auto be32 = [](int32_t v) {
        const auto u = static_cast<uint32_t>(v);
        return std::string{char(u >> 24), char(u >> 16), char(u >> 8), char(u)};
    };
    fix += be32(int32_t(-33.5 / 180 * 2147483648.0)) + be32(int32_t(151.25 / 180 * 2147483648.0));
    for (const std::string& sample : {fix, std::string("\0\0\0\x18", 4) + fix}) {
        GPSRecord r;
        ASSERT_TRUE(DecodePndmSample(reinterpret_cast<const unsigned char*>(sample.data()), sample.size(), r));
        EXPECT_EQ(std::string({r.latRef, r.lonRef}), "SE");
        EXPECT_NEAR(r.lat, 33.5, 1e-6);
        EXPECT_NEAR(r.lon, 151.25, 1e-6);
        EXPECT_NEAR(r.speed * 1.852, 60 * 1.609344, 1e-9);
        EXPECT_FALSE(DecodePndmSample(reinterpret_cast<const unsigned char*>(sample.data()), sample.size() - 1, r));
    }
}

}  // namespace
