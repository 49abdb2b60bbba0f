#include "ExtractGPSRecords.h"
#include "ExtractTestSupport.h"
#include "GpsBlockBuilder.h"
#include "MovBuilder.h"
#include "RiffBuilder.h"
#include "TsBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace mov;
using extract_test::ExpectRecord;

// The movie, a free atom up to the next 32 KiB boundary, and a GPS block
// there at 12:34:56, 2234.5678 N 11354.3210 E in degrees and minutes.
std::string WithGPSBlock(const std::string& movie) {
    const GpsBlockFix fix{.minute = 34, .second = 56};
    return movie + Atom("free", std::string(kGpsBlockAlignment - movie.size() - 8, '\0')) + GpsBlock(fix);
}

using Result = extract_test::ReadResult;

Result Extract(const std::string& bytes, const std::string& extension, bool repair = true) {
    const TempFile file(bytes, extension);
    const GPSExtraction extraction = repair ? ExtractGPSData(file.path()) : ReadGPSData(file.path());
    return {static_cast<int32_t>(extraction.data.records.size()), extraction.data.records};
}

TEST(GetUpperExtension, TakesWhatFollowsTheLastDotOfTheWholePath) {
    const std::pair<const char*, const char*> cases[] = {
        {"/video/CLIP0001.mov", "MOV"}, {"/video/clip.Mp4", "MP4"}, {"/video/a.3gp", "3GP"},
        {"/video/a.m2ts", "M2TS"},      {"/data.old/clip", "OLD/CLIP"}, {"/video/clip", "/VIDEO/CLIP"},
        {"clip.", ""},                  {"", ""},
        // Bytes above 0x7F are passed through, not read as negative characters.
        {"/v/\xE8\xA7\x86\xE9\xA2\x91.mov\xC3\xA9", "MOV\xC3\xA9"}};
    for (const auto& [path, extension] : cases) EXPECT_EQ(GetUpperExtension(path), extension) << path;
}

TEST(ExtractGPSRecords, RecognisesContainersByExtensionOrContent) {
    const std::string movie = Movie({TextTrack({GPSTextAt(0), GPSTextAt(1)})});
    const std::string avi = RiffFile(RiffList("hdrl", "") + RiffList("movi", RiffChunk("02gp", GPSTextAt(3))));
    const std::string ts = TsFillerPacket() + TsGpsPacket(GPSTextAt(4)) + TsGpsPacket(GPSTextAt(5));
    const std::string unknown = "neither of them" + std::string(600, '\0');
    const struct { const std::string& bytes; std::vector<const char*> extensions; int32_t count; } cases[] = {
        {movie, {"mov", "MOV", "Mp4", "3gp", "m2ts", "avi", ""}, 2},
        {avi, {"AVI", "ts"}, 1},
        {ts, {"ts", "mov", "m2ts"}, 2},
        {unknown, {"mov", "avi", "ts", "mkv"}, 0}};
    for (const auto& c : cases)
        for (const char* extension : c.extensions) EXPECT_EQ(Extract(c.bytes, extension).count, c.count) << extension;
}

TEST(ExtractGPSRecords, GPSBlocksServeOnlyWhenTheTextTrackGivesNothing) {
    const Result text = Extract(WithGPSBlock(Movie({TextTrack({GPSTextAt(0)})})), "mov");
    ASSERT_EQ(text.count, 1);
    EXPECT_EQ(text.records[0].minute, 0);
    // A text track whose records all lack a fix does not hide the blocks.
    const std::string noFix = "A,150615,120000,2234.5678,,11354.3210,,35.2,12,-3,98";
    for (const std::string& movie : {Movie({TextTrack({noFix})}), Movie({Track{"vide", {std::string(64, 'v')}}}),
                                     Movie({TextTrack({"not a GPS text"})})}) {
        const Result result = Extract(WithGPSBlock(movie), "MP4");
        ASSERT_EQ(result.count, 1);
        EXPECT_EQ(result.records[0].minute, 34);
        EXPECT_NEAR(result.records[0].lat, 22.57613, 1e-5);
        EXPECT_NEAR(result.records[0].lon, 113.90535, 1e-5);
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
    for (int i = 0; i < 4; ++i)  // the first filled from the second
        ExpectRecord(repaired.records[i], {2015, 6, 15, 12, 0, i + 1}, "NE", {22 + 34.5678 / 60});
}

// A directory opens like a file but reads nothing and reports a huge size; it
// must not send the block scan over exabytes of probes.
TEST(ExtractGPSRecords, MissingFileOrDirectoryGivesNothing) {
    std::string parent = (std::filesystem::temp_directory_path() / "kolvar-dir-XXXXXX").string();
    ASSERT_TRUE(mkdtemp(parent.data()));
    for (const char* extension : {"mov", "avi", "ts"}) {
        const std::string directory = parent + "/clip." + extension;
        std::filesystem::create_directory(directory);
        for (const std::string& path : {directory, "/nonexistent/kolvar/clip." + std::string(extension)}) {
            const GPSExtraction extraction = ExtractGPSData(path);
            EXPECT_EQ(extraction.status, ExtractStatus::Unreadable) << path;
            EXPECT_TRUE(extraction.data.records.empty()) << path;
        }
    }
    std::filesystem::remove_all(parent);
}

}  // namespace
