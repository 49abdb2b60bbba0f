#include "ExtractTestSupport.h"
#include "GpsBlockBuilder.h"
#include "MovGPSBlockScanner.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace extract_test;

ReadResult Scan(const std::string& bytes) { return ReadBytes<MovGPSBlockScanner>(bytes); }

std::string BlockAt(int second) { return GpsBlock(GpsBlockFix{.second = second}); }

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

TEST(MovGPSBlockScanner, FindsBlocksBeyond4GiB) {
    // Past 2 GiB and 4 GiB, where 32-bit offsets would turn negative or wrap.
    TempFile file(BlockAt(1), "MOV");
    ASSERT_TRUE(WriteAt(file.path(), (int64_t{1} << 31) + 3 * int64_t{kGpsBlockAlignment}, BlockAt(2)));
    ASSERT_TRUE(WriteAt(file.path(), (int64_t{1} << 32) + 2 * int64_t{kGpsBlockAlignment}, BlockAt(3)));
    EXPECT_EQ(ReadWith<MovGPSBlockScanner>(file.path()).seconds(), (std::vector<int>{1, 2, 3}));
}

}  // namespace
