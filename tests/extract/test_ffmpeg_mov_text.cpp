// A text track written by a real muxer: ffmpeg turns an SRT file whose cues
// are GPS texts into a mov_text track.
#include "ExtractGPSRecords.h"
#include "ExtractTestSupport.h"
#include "MovSubtitle.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace extract_test;

const std::vector<std::string> kCueTexts{
    "A,150615,123045,2234.5678,N,11354.3210,E,35.2,12,-3,98",
    "A,150615,123046,2234.5712,N,11354.3301,E,36.0,-7,4,101",
    "A,150615,123047,2234.5740,S,11354.3390,W,36.8,0,0,99",
};

class FfmpegMovText : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0) GTEST_SKIP() << "ffmpeg is not installed";
        std::string pattern = (fs::temp_directory_path() / "kolvar-ffmpeg-XXXXXX").string();
        ASSERT_TRUE(mkdtemp(pattern.data()));
        dir = pattern;
    }
    void TearDown() override {
        if (!dir.empty()) fs::remove_all(dir);
    }

    // The movie ffmpeg makes of a video and one cue a second, the cues back to
    // back or ending half a second early, written with the given muxer flags.
    std::string Mux(const std::string& name, const std::string& flags, bool gapped) {
        const fs::path srtPath = dir / (name + ".srt"), out = dir / name;
        std::ofstream srt(srtPath);
        for (size_t i = 0; i < kCueTexts.size(); ++i)
            srt << i + 1 << "\n00:00:0" << i << ",000 --> 00:00:0" << (gapped ? i : i + 1) << (gapped ? ",500" : ",000")
                << "\n" << kCueTexts[i] << "\n\n";
        srt.close();
        const std::string command = "ffmpeg -nostdin -v error -y -f lavfi -i color=size=160x120:rate=5:duration=4 -i '" +
                                    srtPath.string() + "' -c:v mpeg4 -c:s mov_text " + flags + " '" + out.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return out.string();
    }

    fs::path dir;
};

// Every cue comes through whole, up to its last character, whatever the
// container, the place of moov or the fragmenting. Gaps between cues make
// ffmpeg write empty samples that share a chunk with the cue after them; the
// subtitle reader gives those as empty entries.
TEST_F(FfmpegMovText, ReadsEveryCueWholeInEveryLayout) {
    const struct {
        const char* name;
        const char* flags;
        bool gapped;
    } cases[] = {
        {"clip.mov", "-movflags +faststart", false},
        {"gapped.mov", "-movflags +faststart", true},
        {"late.mp4", "", true},
        {"fragmented.mp4", "-movflags +frag_keyframe+empty_moov", true},
        {"clip.3gp", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Mux(c.name, c.flags, c.gapped);
        const std::vector<GPSRecord> records = ExtractGPSData(path).data.records;
        ASSERT_EQ(records.size(), 3u);
        ExpectRecord(records[0], {2015, 6, 15, 12, 30, 45}, "NE", {22 + 34.5678 / 60, 113 + 54.3210 / 60, 35.2, 12, -3, 98});
        ExpectRecord(records[1], {2015, 6, 15, 12, 30, 46}, "NE", {22 + 34.5712 / 60, 113 + 54.3301 / 60, 36.0, -7, 4, 101});
        ExpectRecord(records[2], {2015, 6, 15, 12, 30, 47}, "SW", {22 + 34.5740 / 60, 113 + 54.3390 / 60, 36.8, 0, 0, 99});

        const std::optional<std::vector<std::string>> subtitles = MovSubtitle().GetSubtitle(path);
        ASSERT_TRUE(subtitles);
        std::vector<std::string> cues;
        for (const std::string& text : *subtitles)
            if (!text.empty()) cues.push_back(text);
        EXPECT_EQ(cues, kCueTexts);
    }
}

}  // namespace
