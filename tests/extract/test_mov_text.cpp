#include "ExtractTestSupport.h"
#include "MovBuilder.h"
#include "MovSubtitle.h"
#include "MovTextGPSReader.h"
#include "TempFile.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace mov;
using namespace extract_test;

ReadResult Read(const std::string& bytes) { return ReadBytes(MovTextGPSReader::read, bytes); }
int32_t Count(const std::string& bytes) { return Read(bytes).count; }

// ftyp, the moov that makeMoov builds around a sample offset, then the sample
// GPSTextAt(second) right after moov.
std::string FileWithSampleAfterMoov(const std::function<std::string(uint32_t)>& makeMoov, int second = 0) {
    const auto offset = static_cast<uint32_t>(Ftyp().size() + makeMoov(0).size());
    return Ftyp() + makeMoov(offset) + TextSample(GPSTextAt(second));
}

std::string TextTrakAround(const std::string& stco) {
    return Atom("trak", Atom("mdia", Hdlr("text") + Atom("minf", Stbl(stco))));
}

TEST(MovTextGPSReader, SampleLengthCountsItsOwnTwoBytes) {
    // Length 00 10 is a 14-byte text; the "7," after it would make gsZ 97.
    const ReadResult fourteen = Read(Movie({Track{"text", {BE16(0x0010) + "A,,,,N,,E,,,,9" + "7,"}}}));
    ASSERT_EQ(fourteen.count, 1);
    EXPECT_EQ(fourteen.records[0].gsZ, 9);

    // Lengths below 2 (0x8000 is -32768) give no text, rejected texts no record;
    // the next accepted text takes the free slot.
    EXPECT_EQ(Read(Movie({Track{"text", {BE16(0) + GPSTextAt(1), BE16(1) + GPSTextAt(2), BE16(0x8000) + GPSTextAt(3),
                                         BE16(2), TextSample("not a GPS text"), TextSample(GPSTextAt(4))}}}))
                  .seconds(),
              (std::vector<int>{4}));

    // One offset to the sample after moov, one far beyond the file, one at 2^32 - 1.
    const std::string whole = FileWithSampleAfterMoov(
        [](uint32_t offset) { return Atom("moov", Trak("text", {offset, 0x7FFFFFFF, 0xFFFFFFFF})); });
    EXPECT_EQ(Count(whole), 1);
    EXPECT_EQ(Count(whole.substr(0, whole.size() - 1)), 0) << "a sample cut by the end of the file";
}

// Sizes 0 ("to the end of the file"), 1 ("64-bit size follows", here one
// larger than the file) and 7 (less than a header) end the walk of the atom
// that holds them; only at the top level does 0 run to the end of the file.
TEST(MovTextGPSReader, BrokenAtomSizesEndTheirParentsWalk) {
    const auto afterTrak = [](const std::string& before) {
        return FileWithSampleAfterMoov([&](uint32_t offset) { return Atom("moov", before + Trak("text", {offset})); });
    };
    ASSERT_EQ(Count(afterTrak(Atom("trak", ""))), 1);
    for (const uint32_t badSize : {0u, 1u, 7u}) {
        SCOPED_TRACE(badSize);
        EXPECT_EQ(Count(afterTrak(AtomHeader(badSize, "trak"))), 0);
        // The same size on the first atom hides the second, and on moov itself.
        for (size_t at : {size_t{0}, Ftyp().size()}) {
            std::string broken = afterTrak("");
            broken.replace(at, 4, BE32(badSize));
            EXPECT_EQ(Count(broken), at > 0 && badSize == 0 ? 1 : 0) << at;
        }
    }
    // An stco of size 7 deep in the first track ends that stbl; moov still
    // reaches the second track.
    const std::string brokenTrak = TextTrakAround(AtomHeader(7, "stco") + std::string(16, '\xAA'));
    EXPECT_EQ(Read(FileWithSampleAfterMoov(
                       [&](uint32_t offset) { return Atom("moov", brokenTrak + Trak("text", {offset})); }, 7))
                  .seconds(),
              (std::vector<int>{7}));
}

TEST(MovTextGPSReader, SizesAndCountsBeyondTheParentAreRejected) {
    // An stco that claims 64 KiB inside a stbl that has 20 bytes for it.
    const auto stcoSized = [](uint32_t size) {
        return FileWithSampleAfterMoov([size](uint32_t offset) {
            return Atom("moov", TextTrakAround(AtomHeader(size, "stco") + BE32(0) + BE32(1) + BE32(offset)));
        });
    };
    ASSERT_EQ(Count(stcoSized(20)), 1);
    EXPECT_EQ(Count(stcoSized(0x10000) + std::string(0x10000, '\0')), 0);

    std::string lyingMoov = Movie({TextTrack({GPSTextAt(0), GPSTextAt(1)})});
    lyingMoov.replace(Ftyp().size(), 4, BE32(0x7FFFFFF0));
    EXPECT_EQ(Count(lyingMoov), 0) << "moov claiming more than the file holds";

    // An entry count the stco cannot hold discards the whole table.
    for (const uint32_t entryCount : {2u, 0x40000000u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu})
        EXPECT_EQ(Count(FileWithSampleAfterMoov([entryCount](uint32_t offset) {
                      return Atom("moov", TextTrakAround(StcoWithCount(entryCount, {offset})));
                  })), 0) << entryCount;
}

// Chunk offsets are unsigned: one at 2 GiB or beyond is a position in a large
// file, not a negative one. The file is sparse, so it takes little disk.
TEST(MovTextGPSReader, ReadsSamplesBeyondTwoGibibytes) {
    const uint32_t farOffset = 0x80000010u;
    const TempFile file(Ftyp() + Atom("moov", Trak("text", {farOffset})), "MOV");
    if (!WriteAt(file.path(), farOffset, TextSample(GPSTextAt(9)))) GTEST_SKIP() << "no sparse file past 2 GiB here";
    EXPECT_EQ(ReadWith(MovTextGPSReader::read, file.path()).seconds(), (std::vector<int>{9}));
}

using namespace std::string_literals;
using Strings = std::vector<std::string>;

// 3GPP timed text: a length that counts the text alone, then the text.
std::string Tx3gSample(const std::string& text) { return BE16(static_cast<uint16_t>(text.size())) + text; }

std::optional<Strings> Subtitles(const std::string& movie) {
    const TempFile file(movie, "mp4");
    return MovSubtitle().GetSubtitle(file.path());
}

// One entry per sample in table order keeps the list in step with the track's
// sample times: a text ends at its length or first NUL, and invalid UTF-8 or a
// sample cut by the end of the file gives an empty entry.
TEST(MovSubtitle, GivesOneEntryPerSampleInTableOrder) {
    const Strings invalid{"\xFF", "\xC3", "\xC0\xAF" /* overlong */, "\xED\xA0\x80" /* surrogate */,
                          "\xF4\x90\x80\x80" /* beyond U+10FFFF */, "ok\x80"};
    Strings samples{Tx3gSample("Hello"), Tx3gSample(""), "\x00\x05Hello, world"s, Tx3gSample("Hel\0lo"s),
                    Tx3gSample("\xE5\x8C\x97\xE4\xBA\xAC"), Tx3gSample("\xF0\x9F\x9A\x97") /* a car */};
    Strings expected{"Hello", "", "Hello", "Hel", "\xE5\x8C\x97\xE4\xBA\xAC", "\xF0\x9F\x9A\x97"};
    for (const std::string& text : invalid) samples.push_back(Tx3gSample(text)), expected.push_back("");
    samples.push_back(Tx3gSample("last"));
    expected.push_back("");
    std::string movie = Movie({Track{"text", samples}});
    movie.pop_back();
    EXPECT_EQ(Subtitles(movie), expected);
}

TEST(MovSubtitle, NoFileNoListNoTextTrackEmptyListMoovAnywhere) {
    EXPECT_FALSE(MovSubtitle().GetSubtitle("/nonexistent/kolvar/clip.mov"));
    EXPECT_EQ(Subtitles(Movie({Track{"vide", {Tx3gSample("Hello")}}})), Strings{});
    EXPECT_EQ(Subtitles(Movie({Track{"text", {Tx3gSample("Hello")}}}, Layout::MoovLast)), Strings{"Hello"});
}

TEST(MovSubtitle, TableRepeatingOneLargeSampleStaysWithinTheFileSize) {
    const std::string moovFor0 = Atom("moov", Trak("text", std::vector<uint32_t>(1000, 0)));
    const auto offset = static_cast<uint32_t>(Ftyp().size() + moovFor0.size());
    const std::string bytes = Ftyp() + Atom("moov", Trak("text", std::vector<uint32_t>(1000, offset))) +
                              Tx3gSample(std::string(60000, 'x'));
    const std::optional<Strings> subtitles = Subtitles(bytes);
    ASSERT_TRUE(subtitles);
    size_t total = 0;
    for (const std::string& text : *subtitles) total += text.size();
    EXPECT_GE(subtitles->size(), 1u);
    EXPECT_LE(total, bytes.size());
}

}  // namespace
