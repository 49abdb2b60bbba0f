#include "BinaryReaderSupport.h"
#include "GpsBlockBuilder.h"
#include "MovGPSBlockScanner.h"
#include "TempFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace binary_reader_test;

ReadResult Scan(const std::string& bytes) {
    TempFile file(bytes, "MOV");
    return ReadWith<MovGPSBlockScanner>(file.path());
}

GpsBlockFix FixAtSecond(int second) { return GpsBlockFix{.second = second}; }

// A file of blocks at the given 32 KiB slots, each told apart by its second
// (the slot number), with zero bytes elsewhere.
std::string FileWithBlocksAt(const std::vector<size_t>& slots, size_t size) {
    std::string bytes(size, '\0');
    for (size_t slot : slots) PlaceAt(bytes, slot * kGpsBlockAlignment, GpsBlock(FixAtSecond(int(slot))));
    return bytes;
}

TEST(MovGPSBlockScanner, DecodesEveryFieldOfABlock) {
    const GpsBlockFix fix{.hour = 23, .minute = 58, .second = 7, .yearSince2000 = 15, .month = 6, .day = 14,
                          .latRef = 'S', .lonRef = 'W', .lat = 2234.5678f, .lon = 11354.3210f, .speed = 35.25f,
                          .gsX = 12.5f, .gsY = -3.0f, .gsZ = 98.0f};
    const ReadResult result = Scan(GpsBlock(fix));

    ASSERT_EQ(result.count, 1);
    const GPSRecord& record = result.records[0];
    EXPECT_EQ(record.year, 2015);
    EXPECT_EQ(record.month, 6);
    EXPECT_EQ(record.day, 14);
    EXPECT_EQ(record.hour, 23);
    EXPECT_EQ(record.minute, 58);
    EXPECT_EQ(record.second, 7);
    EXPECT_EQ(record.latRef, 'S');
    EXPECT_EQ(record.lonRef, 'W');
    // Degrees and minutes, not degrees x 100; the hemisphere stays in the letters.
    EXPECT_NEAR(record.lat, 22 + 34.5678 / 60, 1e-5);
    EXPECT_NEAR(record.lon, 113 + 54.3210 / 60, 1e-5);
    EXPECT_EQ(record.speed, 35.25);
    EXPECT_EQ(record.gsX, 12.5);
    EXPECT_EQ(record.gsY, -3.0);
    EXPECT_EQ(record.gsZ, 98.0);
}

TEST(MovGPSBlockScanner, DegreesAndMinutesTruncateTowardZero) {
    // -22 degrees -34.5 minutes (not -23 degrees +65.5 minutes), and 0 degrees 59.75 minutes.
    const ReadResult result = Scan(GpsBlock(GpsBlockFix{.lat = -2234.5f, .lon = 59.75f}));
    ASSERT_EQ(result.count, 1);
    EXPECT_DOUBLE_EQ(result.records[0].lat, -(22 + 34.5 / 60));
    EXPECT_DOUBLE_EQ(result.records[0].lon, 59.75 / 60);
}

// Sanitizer builds also see the year: 2000 + INT32_MAX must not overflow.
TEST(MovGPSBlockScanner, ValuesBeyondIntegerRangeDecodeWithoutOverflow) {
    const ReadResult result = Scan(GpsBlock(GpsBlockFix{.yearSince2000 = std::numeric_limits<int32_t>::max(),
                                                        .lat = 3.0e38f,
                                                        .lon = std::numeric_limits<float>::quiet_NaN()}));
    ASSERT_EQ(result.count, 1);
    EXPECT_NEAR(result.records[0].lat, 3.0e38 / 100, 3.0e38 / 100 * 1e-6);
    EXPECT_TRUE(std::isnan(result.records[0].lon));
}

TEST(MovGPSBlockScanner, ProbesOnlyMultiplesOf32KiBInFileOrder) {
    std::string bytes = FileWithBlocksAt({0, 3, 5}, 6 * kGpsBlockAlignment);
    // The same block one byte past a boundary is never probed.
    PlaceAt(bytes, kGpsBlockAlignment + 1, GpsBlock(FixAtSecond(59)));
    PlaceAt(bytes, 4 * kGpsBlockAlignment - 16, GpsBlock(FixAtSecond(58)));

    const ReadResult result = Scan(bytes);
    ASSERT_EQ(result.count, 3);
    EXPECT_EQ(result.records[0].second, 0);
    EXPECT_EQ(result.records[1].second, 3);
    EXPECT_EQ(result.records[2].second, 5);
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
    EXPECT_EQ(noFix.records[0].latRef, '\0');
    EXPECT_EQ(noFix.records[0].lonRef, 'x');
}

TEST(MovGPSBlockScanner, FilesWithoutBlocksAndMissingFiles) {
    EXPECT_EQ(Scan("").count, 0);
    EXPECT_EQ(Scan(std::string(3 * kGpsBlockAlignment, '\0')).count, 0);

    const ReadResult missing = ReadWith<MovGPSBlockScanner>("/nonexistent/clip.mov", 7);
    EXPECT_EQ(missing.count, 7) << "a file that cannot be opened leaves count alone";
}

TEST(MovGPSBlockScanner, TruncationNeverDecodesUnreadBytes) {
    const std::string full = FileWithBlocksAt({0, 1, 2}, 2 * kGpsBlockAlignment) +
                             GpsBlock(FixAtSecond(2));
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
        int32_t whole_blocks = 0;
        for (size_t slot = 0; slot < 3; ++slot)
            if (slot * kGpsBlockAlignment + kGpsBlockHeaderSize + kGpsBlockRecordSize <= cut) ++whole_blocks;
        ASSERT_EQ(result.count, whole_blocks) << "cut at " << cut;
        for (int32_t i = 0; i < result.count; ++i)
            ASSERT_TRUE(SameRecord(result.records[i], whole.records[i])) << "cut at " << cut;
    }
}

TEST(MovGPSBlockScanner, StopsStoringAtCapacity) {
    const int32_t blocks = kMaxGPSRecords + 50;
    TempFile file("", "MOV");
    for (int32_t i = 0; i < blocks; ++i)
        WriteAt(file.path(), int64_t{i} * kGpsBlockAlignment, GpsBlock(FixAtSecond(i % 60)));

    const ReadResult result = ReadWith<MovGPSBlockScanner>(file.path());
    ASSERT_EQ(result.count, kMaxGPSRecords);
    EXPECT_EQ(result.records.back().second, (kMaxGPSRecords - 1) % 60);
}

TEST(MovGPSBlockScanner, FindsBlocksBeyond4GiB) {
    // Past 2 GiB and 4 GiB, where 32-bit offsets would turn negative or wrap.
    const int64_t beyond2GiB = (int64_t{1} << 31) + 3 * int64_t{kGpsBlockAlignment};
    const int64_t beyond4GiB = (int64_t{1} << 32) + 2 * int64_t{kGpsBlockAlignment};
    TempFile file(GpsBlock(FixAtSecond(1)), "MOV");
    WriteAt(file.path(), beyond2GiB, GpsBlock(FixAtSecond(2)));
    WriteAt(file.path(), beyond4GiB, GpsBlock(FixAtSecond(3)));

    const ReadResult result = ReadWith<MovGPSBlockScanner>(file.path());
    ASSERT_EQ(result.count, 3);
    EXPECT_EQ(result.records[1].second, 2);
    EXPECT_EQ(result.records[2].second, 3);
}

}  // namespace
