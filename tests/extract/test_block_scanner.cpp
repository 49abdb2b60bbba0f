#include "ExtractTestSupport.h"
#include "GpsBlockBuilder.h"
#include "MovGPSBlockScanner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace extract_test;

ReadResult Scan(const std::string& bytes) { return ReadBytes<MovGPSBlockScanner>(bytes); }

std::string BlockAt(int second) { return GpsBlock(GpsBlockFix{.second = second}); }

TEST(MovGPSBlockScanner, DecodesEveryFieldOfABlock) {
    // Degrees and minutes, not degrees x 100, truncated toward zero (-22 degrees
    // -34.5 minutes, not -23 degrees +65.5); the hemisphere stays in the letters.
    const GpsBlockFix fix{.hour = 23, .minute = 58, .second = 7, .yearSince2000 = 15, .month = 6, .day = 14,
                          .latRef = 'S', .lonRef = 'W', .lat = -2234.5f, .lon = 59.75f, .speed = 35.25f,
                          .gsX = 12.5f, .gsY = -3.0f, .gsZ = 98.0f};
    const ReadResult result = Scan(GpsBlock(fix));
    ASSERT_EQ(result.count, 1);
    ExpectRecord(result.records[0], {2015, 6, 14, 23, 58, 7}, "SW", {-(22 + 34.5 / 60), 59.75 / 60, 35.25, 12.5, -3, 98});

    // Sanitizer builds also see the year: 2000 + INT32_MAX must not overflow.
    const ReadResult extreme = Scan(GpsBlock(GpsBlockFix{.yearSince2000 = std::numeric_limits<int32_t>::max(),
                                                         .lat = 3.0e38f, .lon = std::numeric_limits<float>::quiet_NaN()}));
    ASSERT_EQ(extreme.count, 1);
    EXPECT_NEAR(extreme.records[0].lat, 3.0e38 / 100, 3.0e38 / 100 * 1e-6);
    EXPECT_TRUE(std::isnan(extreme.records[0].lon));
}

TEST(MovGPSBlockScanner, ProbesOnlyMultiplesOf32KiBInFileOrder) {
    std::string bytes(6 * kGpsBlockAlignment, '\0');
    for (int slot : {0, 3, 5}) PlaceAt(bytes, slot * kGpsBlockAlignment, BlockAt(slot));
    // The same block one byte past a boundary, or just before one, is never probed.
    PlaceAt(bytes, kGpsBlockAlignment + 1, BlockAt(59));
    PlaceAt(bytes, 4 * kGpsBlockAlignment - 16, BlockAt(58));
    EXPECT_EQ(Scan(bytes).seconds(), (std::vector<int>{0, 3, 5}));
    EXPECT_EQ(Scan("").count, 0);
}

TEST(MovGPSBlockScanner, OnlyTheExactSignatureQualifies) {
    const std::string record = GpsBlockRecord(GpsBlockFix{});
    EXPECT_EQ(Scan(GpsBlockHeader("free", "GPS ", 92) + record).count, 1);
    EXPECT_EQ(Scan(GpsBlockHeader("free", "GPS ", 0x5C000000) + record).count, 0) << "length stored big-endian";
    EXPECT_EQ(Scan(GpsBlockHeader("free", "GPS ", 93) + record).count, 0);
    EXPECT_EQ(Scan(GpsBlockHeader("free", std::string("GPS\0", 4), 92) + record).count, 0);
    EXPECT_EQ(Scan(GpsBlockHeader("free", "gps ", 92) + record).count, 0);
    EXPECT_EQ(Scan(GpsBlockHeader("FREE", "GPS ", 92) + record).count, 0);
    EXPECT_EQ(Scan(GpsBlockHeader("skip", "GPS ", 92) + record).count, 0);
    // The signature alone decides: a record without a fix is still stored.
    const ReadResult noFix = Scan(GpsBlock(GpsBlockFix{.latRef = '\0', .lonRef = 'x'}));
    ASSERT_EQ(noFix.count, 1);
    EXPECT_EQ(std::string({noFix.records[0].latRef, noFix.records[0].lonRef}), std::string("\0x", 2));
}

TEST(MovGPSBlockScanner, TruncationNeverDecodesUnreadBytes) {
    std::string full(2 * kGpsBlockAlignment, '\0');
    for (int slot : {0, 1, 2}) PlaceAt(full, slot * kGpsBlockAlignment, BlockAt(slot));
    const ReadResult whole = Scan(full);
    ASSERT_EQ(whole.count, 3);
    // Every cut around each block, and a sample of cuts between them.
    std::vector<size_t> cuts;
    for (size_t slot = 0; slot < 3; ++slot)
        for (size_t at = slot * kGpsBlockAlignment; at <= slot * kGpsBlockAlignment + 110 && at <= full.size(); ++at)
            cuts.push_back(at);
    for (size_t at = 0; at < full.size(); at += 997) cuts.push_back(at);
    for (size_t cut : cuts) {
        const ReadResult result = Scan(full.substr(0, cut));
        // A block counts only once its whole 108 bytes are in the file.
        int32_t wholeBlocks = 0;
        for (size_t slot = 0; slot < 3; ++slot)
            wholeBlocks += slot * kGpsBlockAlignment + kGpsBlockHeaderSize + kGpsBlockRecordSize <= cut;
        ASSERT_EQ(result.count, wholeBlocks) << "cut at " << cut;
        for (int32_t i = 0; i < result.count; ++i)
            ASSERT_EQ(Fields(result.records[i]), Fields(whole.records[i])) << "cut at " << cut;
    }
}

TEST(MovGPSBlockScanner, FindsBlocksBeyond4GiB) {
    // Past 2 GiB and 4 GiB, where 32-bit offsets would turn negative or wrap.
    TempFile file(BlockAt(1), "MOV");
    ASSERT_TRUE(WriteAt(file.path(), (int64_t{1} << 31) + 3 * int64_t{kGpsBlockAlignment}, BlockAt(2)));
    ASSERT_TRUE(WriteAt(file.path(), (int64_t{1} << 32) + 2 * int64_t{kGpsBlockAlignment}, BlockAt(3)));
    EXPECT_EQ(ReadWith<MovGPSBlockScanner>(file.path()).seconds(), (std::vector<int>{1, 2, 3}));
}

}  // namespace
