#include "ExtractTestSupport.h"
#include "FreeGPS.h"
#include "FreeGpsBuilder.h"
#include "FreeGPSIndexReader.h"
#include "FreeGPSScanReader.h"
#include "GpsBlockBuilder.h"
#include "MovBuilder.h"
#include "MovGPSBlockScanner.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A box of the common layout at 12:30:second on the given month, 2234.5678 N 11354.321 E.
std::string Box(int second, int month = 6, std::string_view letters = "ANE") {
    return FreeGpsBox(0x80).ints(0x30, {12, 30, second, 15, month, 15}).text(0x48, letters)
        .floats(0x4c, {2234.5678f, 11354.321f}).bytes();
}

using namespace extract_test;

// Boxes that only look like a layout give nothing.
TEST(FreeGPS, RejectsForeignBoxes) {
    for (const std::string& box : {Box(45, 13), Box(45, 6, "AXE"), FreeGpsBox().bytes()}) {
        GPSData out;
        EXPECT_FALSE(DecodeFreeGPS(reinterpret_cast<const unsigned char*>(box.data()), box.size(), out));
    }
}

// Boxes off the 32 KiB grid, one whose signature crosses the scan's first
// 256 KiB read; a file cut anywhere gives at most the boxes it holds whole and
// no fix from a cut one.
TEST(FreeGPS, ScanFindsBoxesAtAnyOffset) {
    std::string file = mov::Ftyp();
    PlaceAt(file, 1001, Box(1));
    constexpr size_t kAcrossRead = (size_t{1} << 18) - 7;
    PlaceAt(file, kAcrossRead, Box(2));
    MemoryByteSource source(file);
    GPSData whole;
    ReadFreeGPSScan(GPSInput{source, ""}, whole);
    ASSERT_EQ(whole.records.size(), 2u);
    EXPECT_EQ(whole.records[1].second, 2);
    EXPECT_EQ(whole.clock, GPSClock::UTC);
    const std::pair<size_t, int> cutsAndFixes[] = {
        {1001 + 0x50, 0}, {1001 + 0x80, 1}, {kAcrossRead + 0x20, 1}, {file.size() - 1, 2}};
    for (const auto& [cut, expected] : cutsAndFixes) {
        const std::vector<GPSRecord> records = ReadBytes(ReadFreeGPSScan, file.substr(0, cut)).records;
        EXPECT_EQ(std::count_if(records.begin(), records.end(), IsValidRecord), expected) << "cut at " << cut;
    }
}

// The search tests many positions at once: a box is found at every position
// of a step, after look-alikes that match the two bytes it tests first.
TEST(FreeGPS, ScanFindsTheSignatureAtEveryPositionOfAStep) {
    for (size_t shift = 0; shift <= 64; ++shift) {
        const std::string file = mov::Ftyp() + std::string(shift, '\0') + "f...GPS." + "freeGPS!" + Box(7);
        EXPECT_EQ(ReadBytes(ReadFreeGPSScan, file).seconds(), std::vector<int>{7}) << "shifted by " << shift;
    }
}

// The index's hostile entries (past the end, into the box before, back to it
// again) are passed over; the boxes it lists are read, none other.
TEST(FreeGPS, IndexReadsListedBoxesOnly) {
    const std::string head = mov::Ftyp();
    const uint32_t moovSize = 8 + 16 + 6 * 8;
    const uint32_t first = static_cast<uint32_t>(head.size()) + moovSize + 8;
    const std::string moov = mov::Atom("moov", FreeGpsIndexAtom({{first, 0x80}, {first + 0x40, 0x80}, {first, 0x80},
                                                                 {first + 0x100, 0x80}, {0xFFFFFF00, 0x80},
                                                                 {first + 0x100, 0x80}}));
    ASSERT_EQ(moov.size(), moovSize);
    // Three boxes; the one at 0x80 is not listed.
    const std::string file = head + moov + mov::Atom("mdat", Box(1) + Box(2) + Box(3));
    EXPECT_EQ(ReadBytes(ReadFreeGPSIndex, file).seconds(), (std::vector<int>{1, 3}));
}

// With a video track, the searches pass over its chunks: boxes and blocks
// beside the chunks are found, copies inside them are not. Tables that do not
// hold together (a chunk past the end, chunks that overlap, a chunk outside
// 'mdat') or that leave no box to find send the search over the whole file.
TEST(FreeGPS, SearchesPassOverMediaOnlyWhereTheTablesHoldTogether) {
    constexpr uint32_t kGrid = kGpsBlockAlignment, kChunk = 0x2000, kInChunk = 2 * kGrid - 0x100;
    std::string mdat = mov::Ftyp() + mov::AtomHeader(3 * kGrid - 20, "mdat");
    for (const int second : {1, 2}) {
        PlaceAt(mdat, second * kGrid, GpsBlock(GpsBlockFix{.second = second}));
        PlaceAt(mdat, second * kGrid + 0x400, Box(second));
    }
    mdat.resize(3 * kGrid);
    const auto seconds = [&](const std::vector<uint32_t>& chunks, uint32_t frameBytes, ReadFunction read) {
        return ReadBytes(read, mdat + mov::Atom("moov", mov::VideoTrak(chunks, 1, frameBytes))).seconds();
    };
    struct Case {
        const char* tables;
        std::vector<uint32_t> chunks;
        std::vector<int> expected;
    };
    const Case cases[] = {{"sound", {kInChunk}, {1}},
                          {"past the end", {kInChunk, 0xFFFFFF00}, {1, 2}},
                          {"overlapping", {kInChunk, kInChunk + 0x100}, {1, 2}},
                          {"outside mdat", {kInChunk, 0}, {1, 2}}};
    for (const Case& c : cases) {
        EXPECT_EQ(seconds(c.chunks, kChunk, ReadFreeGPSScan), c.expected) << c.tables;
        EXPECT_EQ(seconds(c.chunks, kChunk, MovGPSBlockScanner::read), c.expected) << c.tables;
    }
    EXPECT_EQ(seconds({28}, 3 * kGrid - 28, ReadFreeGPSScan), (std::vector<int>{1, 2}));
}

ReadResult Scan(const std::string& bytes) { return ReadBytes(MovGPSBlockScanner::read, bytes); }

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
    const struct { std::string_view type, tag; uint32_t length; int32_t count; } cases[] = {
        {"free", "GPS ", 92, 1}, {"free", "GPS ", 0x5C000000, 0} /* length stored big-endian */,
        {"free", "GPS ", 93, 0}, {"free", {"GPS\0", 4}, 92, 0}, {"free", "gps ", 92, 0}, {"FREE", "GPS ", 92, 0},
        {"skip", "GPS ", 92, 0}};
    for (const auto& c : cases) EXPECT_EQ(Scan(GpsBlockHeader(c.type, c.tag, c.length) + record).count, c.count) << c.tag;
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
    EXPECT_EQ(ReadWith(MovGPSBlockScanner::read, file.path()).seconds(), (std::vector<int>{1, 2, 3}));
}

}  // namespace
