#include "GPSTexts.h"
#include "MovBuilder.h"
#include "MovTextGPSReader.h"
#include "TempFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace mov;

struct ReadResult {
    int32_t count;
    std::vector<GPSRecord> records;
    // Seconds after noon, the inverse of GPSTextAt.
    int secondOf(int i) const {
        return (records[i].hour - 12) * 3600 + records[i].minute * 60 + records[i].second;
    }
};

ReadResult ReadPath(const std::string& path) {
    ReadResult result{-1, std::vector<GPSRecord>(kMaxGPSRecords)};
    MovTextGPSReader().read(path.c_str(), result.records.data(), result.count);
    return result;
}

ReadResult ReadBytes(const std::string& bytes) {
    const TempFile file(bytes, "MOV");
    return ReadPath(file.path());
}

// ftyp, the moov that makeMoov builds around a sample offset, then that
// sample right after moov.
std::string FileWithSampleAfterMoov(const std::function<std::string(uint32_t)>& makeMoov, const std::string& sample) {
    const auto offset = static_cast<uint32_t>(Ftyp().size() + makeMoov(0).size());
    return Ftyp() + makeMoov(offset) + sample;
}

std::string TextTrakAround(const std::string& stco) {
    return Atom("trak", Atom("mdia", Hdlr("text") + Atom("minf", Stbl(stco))));
}

std::vector<std::string> Texts(int first, int count) {
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) texts.push_back(GPSTextAt(first + i));
    return texts;
}

TEST(MovTextGPSReader, ReadsTheTextTrackAndSkipsTheVideoTrackAfterItsHandler) {
    // The video track's chunks hold GPS texts too: only the handler tells them apart.
    const Track video{"vide", TextTrack(Texts(100, 2)).samples};
    const ReadResult result = ReadBytes(Movie({video, TextTrack(Texts(0, 3))}));
    ASSERT_EQ(result.count, 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(result.secondOf(i), i);
    EXPECT_EQ(result.records[0].latRef, 'N');
    EXPECT_DOUBLE_EQ(result.records[0].lat, 22.345678);
}

TEST(MovTextGPSReader, TextTracksInTrackOrderAnEmptyTableAddsNothing) {
    const ReadResult result =
        ReadBytes(Movie({TextTrack(Texts(10, 2)), TextTrack({}), TextTrack(Texts(20, 3))}));
    ASSERT_EQ(result.count, 5);
    const int expected[] = {10, 11, 20, 21, 22};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(result.secondOf(i), expected[i]);
}

TEST(MovTextGPSReader, MovieAtomOnlyCountsInSecondPlace) {
    EXPECT_EQ(ReadBytes(Movie({TextTrack(Texts(0, 3))}, Layout::MoovLast)).count, 0);

    int32_t count = 42;
    GPSRecord record{};
    MovTextGPSReader().read("/nonexistent/kolvar/clip.mov", &record, count);
    EXPECT_EQ(count, 42) << "a file that cannot be opened leaves count alone";
}

TEST(MovTextGPSReader, SampleLengthCountsItsOwnTwoBytes) {
    // Length 00 10 is a 14-byte text; the "7," after it would make gsZ 97.
    const ReadResult fourteen = ReadBytes(Movie({Track{"text", {BE16(0x0010) + "A,,,,N,,E,,,,9" + "7,"}}}));
    ASSERT_EQ(fourteen.count, 1);
    EXPECT_EQ(fourteen.records[0].gsZ, 9);

    // Lengths below 2 (0x8000 is -32768) give no text, rejected texts no record;
    // the next accepted text takes the free slot.
    const std::vector<std::string> samples{BE16(0) + GPSTextAt(1), BE16(1) + GPSTextAt(2),
                                           BE16(0x8000) + GPSTextAt(3), BE16(2), TextSample("not a GPS text"),
                                           TextSample(GPSTextAt(4))};
    const ReadResult result = ReadBytes(Movie({Track{"text", samples}}));
    ASSERT_EQ(result.count, 1);
    EXPECT_EQ(result.secondOf(0), 4);
}

TEST(MovTextGPSReader, SampleCutByTheEndOfTheFileOrPastItGivesNoText) {
    // One offset to the sample after moov, one far beyond the file, one at 2^32 - 1.
    const std::string whole = FileWithSampleAfterMoov(
        [](uint32_t offset) { return Atom("moov", Trak("text", {offset, 0x7FFFFFFF, 0xFFFFFFFF})); },
        TextSample(GPSTextAt(0)));
    ASSERT_EQ(ReadBytes(whole).count, 1);
    EXPECT_EQ(ReadBytes(whole.substr(0, whole.size() - 1)).count, 0);
}

// Sizes 0 ("to the end of the file"), 1 ("64-bit size follows") and 7 (less
// than a header) end the walk of the atom that holds them.
TEST(MovTextGPSReader, BrokenAtomSizesEndTheirParentsWalk) {
    const std::string sample = TextSample(GPSTextAt(0));
    const auto afterTrak = [&sample](const std::string& before) {
        return FileWithSampleAfterMoov(
            [&before](uint32_t offset) { return Atom("moov", before + Trak("text", {offset})); }, sample);
    };
    ASSERT_EQ(ReadBytes(afterTrak(Atom("trak", ""))).count, 1);
    for (const uint32_t badSize : {0u, 1u, 7u}) {
        SCOPED_TRACE(badSize);
        EXPECT_EQ(ReadBytes(afterTrak(AtomHeader(badSize, "trak"))).count, 0);
        // The same size on the first atom hides the second, and on moov itself.
        std::string brokenFirst = afterTrak("");
        brokenFirst.replace(0, 4, BE32(badSize));
        EXPECT_EQ(ReadBytes(brokenFirst).count, 0);
        std::string brokenMoov = afterTrak("");
        brokenMoov.replace(Ftyp().size(), 4, BE32(badSize));
        EXPECT_EQ(ReadBytes(brokenMoov).count, 0);
    }
}

TEST(MovTextGPSReader, BrokenAtomDeepDownSparesTheNextTrack) {
    // The first track's stbl holds an stco whose size is 7: that stbl ends
    // there, but moov still reaches the second track.
    const std::string brokenTrak = TextTrakAround(AtomHeader(7, "stco") + std::string(16, '\xAA'));
    const ReadResult result = ReadBytes(FileWithSampleAfterMoov(
        [&](uint32_t offset) { return Atom("moov", brokenTrak + Trak("text", {offset})); },
        TextSample(GPSTextAt(7))));
    ASSERT_EQ(result.count, 1);
    EXPECT_EQ(result.secondOf(0), 7);
}

TEST(MovTextGPSReader, SizesAndCountsBeyondTheParentAreRejected) {
    // An stco that claims 64 KiB inside a stbl that has 20 bytes for it.
    const auto stcoSized = [](uint32_t size) {
        return [size](uint32_t offset) {
            return Atom("moov", TextTrakAround(AtomHeader(size, "stco") + BE32(0) + BE32(1) + BE32(offset)));
        };
    };
    const std::string sample = TextSample(GPSTextAt(0));
    ASSERT_EQ(ReadBytes(FileWithSampleAfterMoov(stcoSized(20), sample)).count, 1);
    EXPECT_EQ(ReadBytes(FileWithSampleAfterMoov(stcoSized(0x10000), sample) + std::string(0x10000, '\0')).count, 0);

    // moov claiming more than the file holds.
    std::string lyingMoov = Movie({TextTrack(Texts(0, 2))});
    lyingMoov.replace(Ftyp().size(), 4, BE32(0x7FFFFFF0));
    EXPECT_EQ(ReadBytes(lyingMoov).count, 0);

    // An entry count the stco cannot hold discards the whole table.
    for (const uint32_t entryCount : {2u, 0x40000000u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(entryCount);
        const std::string file = FileWithSampleAfterMoov(
            [entryCount](uint32_t offset) {
                return Atom("moov", TextTrakAround(StcoWithCount(entryCount, {offset})));
            },
            sample);
        EXPECT_EQ(ReadBytes(file).count, 0);
    }
}

TEST(MovTextGPSReader, HandlerTooShortForASubtypeIsNotText) {
    // A 12-byte hdlr: where its subtype would be stands the type of the next
    // atom, which here reads "text".
    const std::string shortHandler = Atom("hdlr", BE32(0));
    const std::string file = FileWithSampleAfterMoov(
        [&](uint32_t offset) {
            return Atom("moov", Atom("trak", Atom("mdia", shortHandler + Atom("text", "") +
                                                              Atom("minf", Stbl(Stco({offset}))))));
        },
        TextSample(GPSTextAt(0)));
    EXPECT_EQ(ReadBytes(file).count, 0);
}

TEST(MovTextGPSReader, MediaInformationBeforeTheHandlerIsWalkedWhateverTheHandler) {
    const ReadResult result = ReadBytes(FileWithSampleAfterMoov(
        [](uint32_t offset) {
            return Atom("moov", Atom("trak", Atom("mdia", Atom("minf", Stbl(Stco({offset}))) + Hdlr("vide"))));
        },
        TextSample(GPSTextAt(3))));
    ASSERT_EQ(result.count, 1);
    EXPECT_EQ(result.secondOf(0), 3);
}

TEST(MovTextGPSReader, TruncationAnywhereNeverCrashesNorAddsRecords) {
    const std::string movie = Movie({Track{"vide", {std::string(40, 'v')}}, TextTrack(Texts(0, 3))});
    ASSERT_EQ(ReadBytes(movie).count, 3);
    for (size_t length = 0; length < movie.size(); ++length) {
        const ReadResult result = ReadBytes(movie.substr(0, length));
        ASSERT_GE(result.count, 0) << length;
        ASSERT_LE(result.count, 3) << length;
        for (int i = 0; i < result.count; ++i) ASSERT_EQ(result.secondOf(i), i) << length;
    }
}

TEST(MovTextGPSReader, StoresAtMostTheRecordCapacity) {
    const int samples = kMaxGPSRecords + 50;
    const ReadResult result = ReadBytes(Movie({TextTrack(Texts(0, samples))}));
    ASSERT_EQ(result.count, kMaxGPSRecords);
    EXPECT_EQ(result.secondOf(kMaxGPSRecords - 1), kMaxGPSRecords - 1);
}

TEST(MovTextGPSReader, TableRepeatingOneSampleReadsNoMoreThanTheFile) {
    const std::string sample = TextSample(GPSTextAt(0));
    constexpr size_t entries = 20000;
    const std::string file = FileWithSampleAfterMoov(
        [](uint32_t offset) { return Atom("moov", Trak("text", std::vector<uint32_t>(entries, offset))); },
        sample);
    const int32_t count = ReadBytes(file).count;
    EXPECT_GT(count, 0);
    EXPECT_LE(count, static_cast<int32_t>(file.size() / sample.size()));
}

// Chunk offsets are unsigned: one at 2 GiB or beyond is a position in a large
// file, not a negative one. The file is sparse, so it takes little disk.
TEST(MovTextGPSReader, ReadsSamplesBeyondTwoGibibytes) {
    const uint32_t farOffset = 0x80000010u;
    const std::string head = Ftyp() + Atom("moov", Trak("text", {farOffset}));
    const TempFile file(head, "MOV");
    std::FILE* fp = std::fopen(file.path().c_str(), "r+b");
    ASSERT_NE(fp, nullptr);
    const std::string sample = TextSample(GPSTextAt(9));
    const bool written = fseeko(fp, farOffset, SEEK_SET) == 0 &&
                         std::fwrite(sample.data(), 1, sample.size(), fp) == sample.size();
    std::fclose(fp);
    if (!written) GTEST_SKIP() << "cannot write a sparse file past 2 GiB here";
    const ReadResult result = ReadPath(file.path());
    ASSERT_EQ(result.count, 1);
    EXPECT_EQ(result.secondOf(0), 9);
}

}  // namespace
