// A text track written by a real muxer: ffmpeg turns an SRT file whose cues
// are GPS texts into a mov_text track.
#include "ExtractGPSRecords.h"
#include "ExtractTestSupport.h"
#include "MovSubtitle.h"
#include "MovTextGPSReader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace extract_test;

// ffmpeg writes the 3GPP sample length, which leaves out the two length bytes
// that dash cameras count, so the reader's text ends two bytes before the
// cue's. Each cue carries two filler bytes for them.
const std::vector<std::string> kCueTexts{
    "A,150615,123045,2234.5678,N,11354.3210,E,35.2,12,-3,98",
    "A,150615,123046,2234.5712,N,11354.3301,E,36.0,-7,4,101",
    "A,150615,123047,2234.5740,S,11354.3390,W,36.8,0,0,99",
};
const std::string kFiller = "##";

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
    // back or ending half a second early; moov first when faststart is set.
    std::string Mux(const std::string& name, bool faststart, bool gapped = false) {
        const fs::path srtPath = dir / (name + ".srt"), out = dir / name;
        std::ofstream srt(srtPath);
        for (size_t i = 0; i < kCueTexts.size(); ++i)
            srt << i + 1 << "\n00:00:0" << i << ",000 --> 00:00:0" << (gapped ? i : i + 1) << (gapped ? ",500" : ",000")
                << "\n" << kCueTexts[i] << kFiller << "\n\n";
        srt.close();
        const std::string command = "ffmpeg -nostdin -v error -y -f lavfi -i color=size=160x120:rate=5:duration=4 -i '" +
                                    srtPath.string() + "' -c:v mpeg4 -c:s mov_text " +
                                    (faststart ? "-movflags +faststart '" : "'") + out.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return out.string();
    }

    fs::path dir;
};

// Back-to-back cues: the video frames between them put each text sample in a
// chunk of its own. The subtitle reader takes the whole 3GPP length, filler
// included; the muxer may add empty samples, which give empty entries.
TEST_F(FfmpegMovText, ExtractsEveryCueEndToEnd) {
    const std::string path = Mux("clip.mov", true);
    const std::vector<GPSRecord> records = ExtractGPSData(path).data.records;
    ASSERT_EQ(records.size(), 3u);
    ExpectRecord(records[0], {2015, 6, 15, 12, 30, 45}, "NE", {22 + 34.5678 / 60, 113 + 54.3210 / 60, 35.2, 12, -3, 98});
    ExpectRecord(records[1], {2015, 6, 15, 12, 30, 46}, "NE", {22 + 34.5712 / 60, 113 + 54.3301 / 60, 36.0, -7, 4, 101});
    ExpectRecord(records[2], {2015, 6, 15, 12, 30, 47}, "SW", {22 + 34.5740 / 60, 113 + 54.3390 / 60, 36.8, 0, 0, 99});

    const std::optional<std::vector<std::string>> subtitles = MovSubtitle().GetSubtitle(path);
    ASSERT_TRUE(subtitles);
    std::vector<std::string> cues, expected;
    for (const std::string& text : *subtitles)
        if (!text.empty()) cues.push_back(text);
    for (const std::string& text : kCueTexts) expected.push_back(text + kFiller);
    EXPECT_EQ(cues, expected);
}

// Between cues that leave gaps ffmpeg writes an empty sample and puts it in
// one chunk with the cue after it. Each chunk offset is read as one sample, so
// such a chunk gives its empty first sample and the cue behind it is not seen:
// only the first cue, which starts its chunk, comes through.
TEST_F(FfmpegMovText, ChunkOfSeveralSamplesGivesOnlyItsFirst) {
    EXPECT_EQ(ReadWith<MovTextGPSReader>(Mux("gapped.mov", true, true)).seconds(), (std::vector<int>{45}));
}

// Without faststart ffmpeg writes moov last, where the text reader does not
// look (the front end then scans for blocks, of which there are none here). In
// an MP4 file ffmpeg marks the subtitle track "sbtl", which is no text track.
TEST_F(FfmpegMovText, MoovLastOrAnMP4SubtitleTrackGivesNoRecord) {
    for (const std::string& path : {Mux("late.mov", false), Mux("clip.mp4", true)}) {
        EXPECT_EQ(ExtractGPSData(path).data.records.size(), 0u) << path;
        EXPECT_EQ(MovSubtitle().GetSubtitle(path), std::vector<std::string>{}) << path;
    }
}

}  // namespace
