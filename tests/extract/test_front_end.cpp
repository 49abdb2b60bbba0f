#include "ExtractGPSRecords.h"
#include "GPSTexts.h"
#include "MovBuilder.h"
#include "RiffBuilder.h"
#include "TempFile.h"
#include "TsBuilder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace mov;

constexpr size_t kBlockAlignment = 32768;

std::string LE32(uint32_t value) {
    return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
            static_cast<char>(value >> 24)};
}

std::string LEFloat(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return LE32(bits);
}

// A "free" atom holding a binary GPS block at 12:34:56 on 15 June 2015,
// 2234.5678 N 11354.3210 E in degrees and minutes.
std::string GPSBlockAtom() {
    std::string record(92, '\0');
    record.replace(32, 24, LE32(12) + LE32(34) + LE32(56) + LE32(15) + LE32(6) + LE32(15));
    record[57] = 'N';
    record[58] = 'E';
    record.replace(60, 12, LEFloat(2234.5678f) + LEFloat(11354.3210f) + LEFloat(20.0f));
    return Atom("free", "GPS " + LE32(92) + record);
}

// The movie, a free atom up to the next 32 KiB boundary, and the GPS block there.
std::string WithGPSBlock(const std::string& movie) {
    const size_t padding = kBlockAlignment - movie.size() - 8;
    return movie + Atom("free", std::string(padding, '\0')) + GPSBlockAtom();
}

struct Result {
    int32_t count;
    std::vector<GPSRecord> records;
};

Result Extract(const std::string& bytes, const std::string& extension, bool repair = true) {
    const TempFile file(bytes, extension);
    Result result{0, std::vector<GPSRecord>(kMaxGPSRecords)};
    (repair ? ExtractGPSRecords : ReadGPSRecords)(file.path().c_str(), result.records.data(), result.count);
    return result;
}

TEST(GetUpperExtension, TakesWhatFollowsTheLastDotOfTheWholePath) {
    EXPECT_EQ(GetUpperExtension("/video/CLIP0001.mov"), "MOV");
    EXPECT_EQ(GetUpperExtension("/video/clip.Mp4"), "MP4");
    EXPECT_EQ(GetUpperExtension("/video/a.3gp"), "3GP");
    EXPECT_EQ(GetUpperExtension("/video/a.m2ts"), "M2TS");
    EXPECT_EQ(GetUpperExtension("/data.old/clip"), "OLD/CLIP");
    EXPECT_EQ(GetUpperExtension("/video/clip"), "/VIDEO/CLIP");
    EXPECT_EQ(GetUpperExtension("clip."), "");
    EXPECT_EQ(GetUpperExtension(""), "");
    // Bytes above 0x7F are passed through, not read as negative characters.
    EXPECT_EQ(GetUpperExtension("/v/\xE8\xA7\x86\xE9\xA2\x91.mov\xC3\xA9"), "MOV\xC3\xA9");
}

TEST(ExtractGPSRecords, ChoosesTheReaderByExtension) {
    const std::string movie = Movie({TextTrack({GPSTextAt(0), GPSTextAt(1)})});
    for (const char* extension : {"mov", "MOV", "Mp4", "3gp"}) EXPECT_EQ(Extract(movie, extension).count, 2) << extension;
    for (const char* extension : {"m2ts", "mkv", "avi", "ts", ""}) EXPECT_EQ(Extract(movie, extension).count, 0) << extension;

    const std::string avi = RiffFile(RiffList("hdrl", "") + RiffList("movi", RiffChunk("02gp", GPSTextAt(3))));
    EXPECT_EQ(Extract(avi, "AVI").count, 1);
    EXPECT_EQ(Extract(avi, "ts").count, 0);

    const std::string ts = TsFillerPacket() + TsGpsPacket(GPSTextAt(4)) + TsGpsPacket(GPSTextAt(5));
    EXPECT_EQ(Extract(ts, "ts").count, 2);
    EXPECT_EQ(Extract(ts, "mov").count, 0);
}

TEST(ExtractGPSRecords, TextTrackWinsOverGPSBlocks) {
    const Result result = Extract(WithGPSBlock(Movie({TextTrack({GPSTextAt(0)})})), "mov");
    ASSERT_EQ(result.count, 1);
    EXPECT_DOUBLE_EQ(result.records[0].lat, 22.345678);
    EXPECT_EQ(result.records[0].hour, 12);
    EXPECT_EQ(result.records[0].minute, 0);

    // Records without a fix still count as the text track's answer: the blocks
    // are not scanned, and the repair pass leaves nothing.
    const std::string noFix = "A,150615,120000,2234.5678,,11354.3210,,35.2,12,-3,98";
    EXPECT_EQ(Extract(WithGPSBlock(Movie({TextTrack({noFix})})), "mov").count, 0);
}

TEST(ExtractGPSRecords, GPSBlocksServeWhenTheTextTrackGivesNothing) {
    for (const std::string& movie : {Movie({Track{"vide", {std::string(64, 'v')}}}),
                                     Movie({TextTrack({"not a GPS text"})}),
                                     Movie({TextTrack({GPSTextAt(0)})}, Layout::MoovLast)}) {
        const Result result = Extract(WithGPSBlock(movie), "MP4");
        ASSERT_EQ(result.count, 1);
        const GPSRecord& record = result.records[0];
        EXPECT_EQ(record.year, 2015);
        EXPECT_EQ(record.hour, 12);
        EXPECT_EQ(record.minute, 34);
        EXPECT_NEAR(record.lat, 22.57613, 1e-5);
        EXPECT_NEAR(record.lon, 113.90535, 1e-5);
    }
}

TEST(ExtractGPSRecords, RepairsWhatTheReaderLeft) {
    const std::string noFix = "A,150615,120001,0,,0,,0,0,0,0";
    const std::string movie = Movie({TextTrack({noFix, GPSTextAt(2), noFix, GPSTextAt(4)})});

    const Result raw = Extract(movie, "mov", false);
    ASSERT_EQ(raw.count, 4);
    EXPECT_FALSE(IsValidRecord(raw.records[0]));

    const Result repaired = Extract(movie, "mov");
    ASSERT_EQ(repaired.count, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(IsValidRecord(repaired.records[i])) << i;
        EXPECT_EQ(repaired.records[i].second, i + 1) << i;  // the first filled from the second
    }
}

// A directory opens like a file but reads nothing and reports a huge size; it
// must not send the block scan over exabytes of probes.
TEST(ExtractGPSRecords, MissingFileOrDirectoryGivesNothing) {
    std::string parent = (std::filesystem::temp_directory_path() / "kolvar-dir-XXXXXX").string();
    ASSERT_TRUE(mkdtemp(parent.data()));
    std::vector<std::string> paths{"/nonexistent/kolvar/clip.mov", "/nonexistent/kolvar/clip.avi",
                                   "/nonexistent/kolvar/clip.ts"};
    for (const char* extension : {"mov", "avi", "ts"}) {
        paths.push_back(parent + "/clip." + extension);
        std::filesystem::create_directory(paths.back());
    }
    for (const std::string& path : paths) {
        std::vector<GPSRecord> records(kMaxGPSRecords);
        int32_t count = 0;
        ExtractGPSRecords(path.c_str(), records.data(), count);
        EXPECT_EQ(count, 0) << path;
    }
    std::filesystem::remove_all(parent);
}

}  // namespace
