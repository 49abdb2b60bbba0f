#include "AviGPSReader.h"
#include "BinaryReaderSupport.h"
#include "LittleEndianBytes.h"
#include "RiffBuilder.h"
#include "TempFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace binary_reader_test;

ReadResult ReadAvi(const std::string& bytes) {
    TempFile file(bytes, "AVI");
    return ReadWith<AviGPSReader>(file.path());
}

const std::string kHeaderList = RiffList("hdrl", RiffChunk("avih", std::string(56, '\0')));

std::string Frame(size_t size = 40) { return RiffChunk("00dc", std::string(size, '\x11')); }
std::string Gps(int second) { return RiffChunk("02gp", GpsText(second)); }

// hdrl, then a movi list around the given chunks, then what follows.
std::string AviFile(const std::string& moviChunks, const std::string& after = "") {
    return RiffFile(kHeaderList + RiffList("movi", moviChunks) + after);
}

std::vector<int> Seconds(const ReadResult& result) {
    std::vector<int> seconds;
    for (const GPSRecord& record : result.records) seconds.push_back(record.second);
    return seconds;
}

TEST(AviGPSReader, ParsesGpsChunksOfTheMoviListInFileOrder) {
    const ReadResult result = ReadAvi(AviFile(Frame() + Gps(1) + Frame() + Gps(2)));
    ASSERT_EQ(result.count, 2);
    EXPECT_EQ(Seconds(result), (std::vector<int>{1, 2}));
    EXPECT_EQ(result.records[0].day, 15);
    EXPECT_DOUBLE_EQ(result.records[0].lat, 22.345678);
    EXPECT_EQ(result.records[0].latRef, 'N');

    // JUNK before the movi list is passed over by both top-level walks.
    const std::string junk = RiffChunk("JUNK", std::string(100, '\0'));
    EXPECT_EQ(Seconds(ReadAvi(RiffFile(junk + kHeaderList + junk + RiffList("movi", Gps(3))))),
              (std::vector<int>{3}));
}

TEST(AviGPSReader, ATopLevelIndexMeansNoRecord) {
    const std::string movi = Frame() + Gps(1);
    EXPECT_EQ(ReadAvi(AviFile(movi, RiffChunk("idx1", std::string(32, '\0')))).count, 0);
    // An idx1 inside the movi list is not at the top level.
    EXPECT_EQ(ReadAvi(AviFile(movi + RiffChunk("idx1", std::string(16, '\0')))).count, 1);
}

TEST(AviGPSReader, ForeignFilesGiveNoRecordAndSetCountToZero) {
    std::string rifx = AviFile(Gps(1));
    rifx[3] = 'X';
    TempFile file(rifx, "AVI");
    EXPECT_EQ(ReadWith<AviGPSReader>(file.path(), 5).count, 0);
    EXPECT_EQ(ReadAvi("").count, 0);
    EXPECT_EQ(ReadAvi("RIFF").count, 0);
    EXPECT_EQ(ReadAvi(RiffFile(kHeaderList)).count, 0) << "no movi list";
    EXPECT_EQ(ReadWith<AviGPSReader>("/nonexistent/clip.avi", 5).count, 5);
}

TEST(AviGPSReader, RejectedPayloadsLeaveTheirSlotToTheNext) {
    const std::string movi = RiffChunk("02gp", "") + RiffChunk("02gp", "not,a,gps,text") + Gps(4);
    EXPECT_EQ(Seconds(ReadAvi(AviFile(movi))), (std::vector<int>{4}));
}

TEST(AviGPSReader, ReadsOnlyTheFirstMoviListAndSkipsSubListsWhole) {
    const std::string subList = RiffList("rec ", Frame() + Gps(7));
    const std::string secondMovi = RiffList("movi", Gps(8));
    EXPECT_EQ(Seconds(ReadAvi(AviFile(Gps(1) + subList + Gps(2), secondMovi))), (std::vector<int>{1, 2}));
}

TEST(AviGPSReader, ChunkSizesAreUsedAsStoredWithoutPadding) {
    // An odd-sized frame followed directly by a GPS chunk, no pad byte between.
    EXPECT_EQ(Seconds(ReadAvi(AviFile(Frame(3) + Gps(5)))), (std::vector<int>{5}));
    // A payload keeps its NUL bytes and length; the parser sees the text before them.
    EXPECT_EQ(Seconds(ReadAvi(AviFile(RiffChunk("02gp", GpsText(6) + std::string(9, '\0'))))),
              (std::vector<int>{6}));
}

TEST(AviGPSReader, ChunkSizesThatWouldBeNegativeEndTheWalk) {
    const std::string negative = RiffChunkHeader("JUNK", 0xFFFFFFF0) + std::string(16, '\0');
    // In the movi list: the records before it stay, nothing after it is read.
    EXPECT_EQ(Seconds(ReadAvi(AviFile(Gps(1) + negative + Gps(2)))), (std::vector<int>{1}));
    // At the top level, before the movi list: neither walk loops, and no movi list is found.
    EXPECT_EQ(ReadAvi(RiffFile(negative + RiffList("movi", Gps(3)))).count, 0);
    // At the top level after the movi list, where the index probe meets it first.
    EXPECT_EQ(Seconds(ReadAvi(AviFile(Gps(4), negative))), (std::vector<int>{4}));
    // A negative GPS chunk is not read.
    EXPECT_EQ(Seconds(ReadAvi(AviFile(Gps(5) + RiffChunkHeader("02gp", 0x80000000) + GpsText(6)))),
              (std::vector<int>{5}));
}

TEST(AviGPSReader, TinyTopLevelChunksStillMoveForward) {
    // Sizes below 4 leave no room for a list type; the walk still moves on by 8 + size.
    const std::string tiny = RiffChunkHeader("JUNK", 0) + RiffChunkHeader("LIST", 2) + "mo";
    EXPECT_EQ(Seconds(ReadAvi(RiffFile(tiny + RiffList("movi", Gps(1))))), (std::vector<int>{1}));
    // A LIST of size 4 holds only its type: an empty movi list.
    EXPECT_EQ(ReadAvi(RiffFile(RiffListHeader("movi", 0) + Gps(2))).count, 0);
}

TEST(AviGPSReader, RiffSizeBeyond2GiBIsWalked) {
    // Recorders that stop without closing the file leave 0xFFFFFFFF or a stale size.
    std::string bytes = AviFile(Gps(1) + Gps(2));
    bytes.replace(4, 4, LE32(0xFFFFFFFF));
    EXPECT_EQ(Seconds(ReadAvi(bytes)), (std::vector<int>{1, 2}));
    bytes.replace(4, 4, LE32(0));
    EXPECT_EQ(ReadAvi(bytes).count, 0);
}

TEST(AviGPSReader, GpsChunksLargerThanAnyTextAreSkipped) {
    const std::string huge = RiffChunk("02gp", GpsText(1) + std::string(2 << 20, ' '));
    EXPECT_EQ(Seconds(ReadAvi(AviFile(huge + Gps(2)))), (std::vector<int>{2}));
}

TEST(AviGPSReader, TruncationAnywhereGivesAPrefixOfTheRecords) {
    const std::string full = AviFile(Frame(5) + Gps(1) + Frame(17) + Gps(2) + Gps(3));
    const ReadResult whole = ReadAvi(full);
    ASSERT_EQ(whole.count, 3);
    for (size_t cut = 0; cut < full.size(); ++cut) {
        const ReadResult result = ReadAvi(full.substr(0, cut));
        ASSERT_LT(result.count, whole.count) << "cut at " << cut;
        for (int32_t i = 0; i < result.count; ++i)
            ASSERT_TRUE(SameRecord(result.records[i], whole.records[i])) << "cut at " << cut;
    }
}

TEST(AviGPSReader, StopsStoringAtCapacity) {
    std::string movi;
    for (int i = 0; i < kMaxGPSRecords + 50; ++i) movi += Gps(i);
    const ReadResult result = ReadAvi(AviFile(movi));
    ASSERT_EQ(result.count, kMaxGPSRecords);
    EXPECT_EQ(result.records.back().second, (kMaxGPSRecords - 1) % 60);
}

TEST(AviGPSReader, WalksPastChunksBeyond2GiB) {
    // A frame of 2 GiB + 16 bytes: its size is negative as a signed 32-bit value.
    const uint32_t bigFrame = 0x80000010;
    const std::string frameHeader = RiffChunkHeader("00dc", bigFrame);
    const std::string after = Gps(2);
    const std::string moviChildren = Gps(1) + frameHeader;
    const uint32_t moviSize = static_cast<uint32_t>(moviChildren.size() + bigFrame + after.size());
    const std::string head = RiffHeader(0xFFFFFFFF) + kHeaderList + RiffListHeader("movi", moviSize) + moviChildren;

    TempFile file(head, "AVI");
    WriteAt(file.path(), int64_t(head.size()) + bigFrame, after);
    EXPECT_EQ(Seconds(ReadWith<AviGPSReader>(file.path())), (std::vector<int>{1, 2}));
}

}  // namespace
