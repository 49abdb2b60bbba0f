#include "AviGPSReader.h"
#include "ExtractTestSupport.h"
#include "LittleEndianBytes.h"
#include "RiffBuilder.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using namespace extract_test;
using Seconds = std::vector<int>;

ReadResult ReadAvi(const std::string& bytes) { return ReadBytes(AviGPSReader::read, bytes); }
Seconds SecondsOf(const std::string& bytes) { return ReadAvi(bytes).seconds(); }

const std::string kHeaderList = RiffList("hdrl", RiffChunk("avih", std::string(56, '\0')));

std::string Frame(size_t size = 40) { return RiffChunk("00dc", std::string(size, '\x11')); }
std::string Gps(int second) { return RiffChunk("02gp", GPSTextAt(second)); }

// hdrl, then a movi list around the given chunks, then what follows.
std::string AviFile(const std::string& moviChunks, const std::string& after = "") {
    return RiffFile(kHeaderList + RiffList("movi", moviChunks) + after);
}

TEST(AviGPSReader, ParsesTheGpsChunksOfEveryMoviListInFileOrder) {
    const ReadResult result = ReadAvi(AviFile(Frame() + Gps(1) + Frame() + Gps(2)));
    ASSERT_EQ(result.count, 2);
    EXPECT_EQ(result.seconds(), (Seconds{1, 2}));
    ExpectRecord(result.records[0], {2015, 6, 15, 12, 0, 1}, "NE", {22 + 34.5678 / 60});

    const std::string junk = RiffChunk("JUNK", std::string(100, '\0'));
    const std::string idx1 = RiffChunk("idx1", std::string(16, '\0'));
    const struct { std::string file; Seconds expected; } cases[] = {
        {RiffFile(junk + kHeaderList + junk + RiffList("movi", Gps(3))), {3}},  // JUNK passed over
        {AviFile(Gps(1), idx1), {1}},                                             // an index does not hide the chunks
        {AviFile(Gps(1) + idx1), {1}},                                            // an idx1 inside movi is not top level
        {AviFile(RiffChunk("02gp", "") + RiffChunk("02gp", "not,a,gps,text") + Gps(4)), {4}},  // rejected payloads
        {AviFile(Gps(1) + RiffList("rec ", Frame() + Gps(7)) + Gps(2), RiffList("movi", Gps(8))), {1, 2, 8}},  // sub-lists skipped whole, every movi read
        {AviFile(Frame(3) + Gps(5)), {5}},                                        // the pad byte after an odd size
        {AviFile(RiffChunk("02gp", GPSTextAt(6) + std::string(9, '\0'))), {6}},   // NUL bytes after the text
        {AviFile(RiffChunk("02gp", GPSTextAt(1) + std::string(2 << 20, ' ')) + Gps(2)), {2}},  // larger than any text
    };
    for (const auto& c : cases) EXPECT_EQ(SecondsOf(c.file), c.expected);
}

TEST(AviGPSReader, ForeignFilesAndChunkSizesThatWouldBeNegativeOrTinyEndOrAdvanceTheWalk) {
    std::string rifx = AviFile(Gps(1));
    rifx[3] = 'X';
    for (const std::string& foreign : {rifx, std::string(), std::string("RIFF"), RiffFile(kHeaderList) /* no movi */})
        EXPECT_EQ(ReadAvi(foreign).count, 0);
    const std::string negative = RiffChunkHeader("JUNK", 0xFFFFFFF0) + std::string(16, '\0');
    // In the movi list the records before it stay; at the top level neither walk
    // loops, before movi no movi list is found, after it the index probe meets it.
    EXPECT_EQ(SecondsOf(AviFile(Gps(1) + negative + Gps(2))), (Seconds{1}));
    EXPECT_EQ(SecondsOf(RiffFile(negative + RiffList("movi", Gps(3)))), (Seconds{}));
    EXPECT_EQ(SecondsOf(AviFile(Gps(4), negative)), (Seconds{4}));
    EXPECT_EQ(SecondsOf(AviFile(Gps(5) + RiffChunkHeader("02gp", 0x80000000) + GPSTextAt(6))), (Seconds{5}));
    // Sizes below 4 leave no room for a list type; the walk still moves on by 8 + size.
    const std::string tiny = RiffChunkHeader("JUNK", 0) + RiffChunkHeader("LIST", 2) + "mo";
    EXPECT_EQ(SecondsOf(RiffFile(tiny + RiffList("movi", Gps(1)))), (Seconds{1}));
    EXPECT_EQ(SecondsOf(RiffFile(RiffListHeader("movi", 0) + Gps(2))), (Seconds{})) << "a LIST of size 4";
    // Recorders that stop without closing the file leave 0xFFFFFFFF or a stale RIFF size.
    std::string unclosed = AviFile(Gps(1) + Gps(2));
    unclosed.replace(4, 4, LE32(0xFFFFFFFF));
    EXPECT_EQ(SecondsOf(unclosed), (Seconds{1, 2}));
    unclosed.replace(4, 4, LE32(0));
    EXPECT_EQ(SecondsOf(unclosed), (Seconds{}));
}

// An idx1 entry per chunk, offsets from the movi list's type field (plus base).
std::string Index(const std::vector<std::string>& chunks, uint32_t base = 0) {
    std::string entries;
    uint32_t offset = 4 + base;
    for (const std::string& chunk : chunks) {
        entries += chunk.substr(0, 4) + LE32(0x10) + LE32(offset) + chunk.substr(4, 4);
        offset += static_cast<uint32_t>(chunk.size());
    }
    return RiffChunk("idx1", entries);
}

std::string Joined(const std::vector<std::string>& chunks) { return std::accumulate(chunks.begin(), chunks.end(), std::string()); }

// Through an index that accounts for every chunk, or despite one that does
// not or disagrees with a GPS chunk's header, the chunks a walk finds.
TEST(AviGPSReader, AnIndexGivesTheChunksTheWalkFinds) {
    const std::vector<std::string> chunks = {Frame(5), Gps(1), Frame(17), Gps(2), Gps(3)};
    const uint32_t moviStart = static_cast<uint32_t>(RiffHeader(0).size() + kHeaderList.size() + 12);
    std::vector<std::string> missing = chunks;
    missing.erase(missing.begin() + 2);
    std::vector<std::string> renamed = chunks;
    renamed[1].replace(0, 4, "00dc");  // a frame holding a GPS text, which the walk passes over
    const struct { const char* name; std::string file; Seconds expected; } cases[] = {
        {"offsets from the list", AviFile(Joined(chunks), Index(chunks)), {1, 2, 3}},
        {"offsets from the file", AviFile(Joined(chunks), Index(chunks, moviStart - 4)), {1, 2, 3}},
        {"a chunk left out", AviFile(Joined(chunks), Index(missing)), {1, 2, 3}},
        {"offsets from elsewhere", AviFile(Joined(chunks), Index(chunks, 2)), {1, 2, 3}},
        {"another list's index", AviFile(Joined(chunks), Index({Gps(1)})), {1, 2, 3}},
        {"the index calls a frame GPS", AviFile(Joined(renamed), Index(chunks)), {2, 3}},
    };
    for (const auto& c : cases) EXPECT_EQ(SecondsOf(c.file), c.expected) << c.name;
}

TEST(AviGPSReader, ReadsPastTheOldTenThousandRecordCap) {
    constexpr int kRecords = 10050;
    std::string movi;
    for (int i = 0; i < kRecords; ++i) movi += Gps(i % 60);
    const ReadResult result = ReadAvi(AviFile(movi));
    ASSERT_EQ(result.count, kRecords);
    EXPECT_EQ(result.records.back().second, (kRecords - 1) % 60);
}

TEST(AviGPSReader, WalksPastChunksBeyond2GiB) {
    // A frame of 2 GiB + 16 bytes: its size is negative as a signed 32-bit value.
    const uint32_t bigFrame = 0x80000010;
    const std::string after = Gps(2);
    const std::string moviChildren = Gps(1) + RiffChunkHeader("00dc", bigFrame);
    const auto moviSize = static_cast<uint32_t>(moviChildren.size() + bigFrame + after.size());
    const std::string head = RiffHeader(0xFFFFFFFF) + kHeaderList + RiffListHeader("movi", moviSize) + moviChildren;
    TempFile file(head, "AVI");
    ASSERT_TRUE(WriteAt(file.path(), int64_t(head.size()) + bigFrame, after));
    EXPECT_EQ(ReadWith(AviGPSReader::read, file.path()).seconds(), (Seconds{1, 2}));
}

}  // namespace
