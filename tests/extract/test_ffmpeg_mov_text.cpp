// A text track written by a real muxer: ffmpeg turns an SRT file whose cues
// are GPS texts into a mov_text track.
#include "ExtractGPSRecords.h"
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

// ffmpeg writes the 3GPP sample length, which leaves out the two length bytes
// that dash cameras count, so the reader's text ends two bytes before the
// cue's. Each cue carries two filler bytes for them.
const std::vector<std::string> kCueTexts{
    "A,150615,123045,2234.5678,N,11354.3210,E,35.2,12,-3,98",
    "A,150615,123046,2234.5712,N,11354.3301,E,36.0,-7,4,101",
    "A,150615,123047,2234.5740,S,11354.3390,W,36.8,0,0,99",
};
const std::string kFiller = "##";

class ScopedDirectory {
public:
    ScopedDirectory() {
        std::string pattern = (fs::temp_directory_path() / "kolvar-ffmpeg-XXXXXX").string();
        if (mkdtemp(pattern.data())) path = pattern;
    }
    ~ScopedDirectory() {
        if (!path.empty()) fs::remove_all(path);
    }
    fs::path path;
};

class FfmpegMovText : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0) GTEST_SKIP() << "ffmpeg is not installed";
        ASSERT_FALSE(dir.path.empty());
        WriteSubtitles("back_to_back.srt", "000");
        WriteSubtitles("gapped.srt", "500");
    }

    // One cue a second, ending at the given milliseconds of its second ("000":
    // where the next begins).
    void WriteSubtitles(const std::string& name, const std::string& endMilliseconds) {
        std::ofstream srt(dir.path / name);
        for (size_t i = 0; i < kCueTexts.size(); ++i) {
            const size_t end = endMilliseconds == "000" ? i + 1 : i;
            srt << i + 1 << "\n00:00:0" << i << ",000 --> 00:00:0" << end << "," << endMilliseconds << "\n"
                << kCueTexts[i] << kFiller << "\n\n";
        }
    }

    // The movie ffmpeg makes of a video and the subtitles; moov first when
    // faststart is set.
    std::string Mux(const std::string& name, bool faststart, const std::string& subtitles = "back_to_back.srt") {
        const fs::path out = dir.path / name;
        const std::string command = "ffmpeg -nostdin -v error -y -f lavfi -i color=size=160x120:rate=5:duration=4 -i '" +
                                    (dir.path / subtitles).string() + "' -c:v mpeg4 -c:s mov_text " +
                                    (faststart ? "-movflags +faststart '" : "'") + out.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return out.string();
    }

    ScopedDirectory dir;
};

// Back-to-back cues: the video frames between them put each text sample in a
// chunk of its own.
TEST_F(FfmpegMovText, ExtractsEveryCueEndToEnd) {
    const std::string path = Mux("clip.mov", true);
    std::vector<GPSRecord> records(kMaxGPSRecords);
    int32_t count = 0;
    ExtractGPSRecords(path.c_str(), records.data(), count);
    ASSERT_EQ(count, 3);

    EXPECT_EQ(records[0].year, 2015);
    EXPECT_EQ(records[0].month, 6);
    EXPECT_EQ(records[0].day, 15);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(records[i].hour, 12);
        EXPECT_EQ(records[i].minute, 30);
        EXPECT_EQ(records[i].second, 45 + i);
    }
    EXPECT_DOUBLE_EQ(records[0].lat, 22.345678);
    EXPECT_DOUBLE_EQ(records[0].lon, 113.543210);
    EXPECT_DOUBLE_EQ(records[0].speed, 35.2);
    EXPECT_EQ(records[0].gsZ, 98);
    EXPECT_EQ(records[1].gsX, -7);
    EXPECT_EQ(records[1].gsZ, 101);
    EXPECT_EQ(records[2].latRef, 'S');
    EXPECT_EQ(records[2].lonRef, 'W');
    EXPECT_DOUBLE_EQ(records[2].lat, 22.345740);
}

// The subtitle reader takes the whole 3GPP length, filler included; the muxer
// may add empty samples, which give empty entries.
TEST_F(FfmpegMovText, SubtitleReaderSeesTheWholeCues) {
    const std::optional<std::vector<std::string>> subtitles = MovSubtitle().GetSubtitle(Mux("clip.mov", true));
    ASSERT_TRUE(subtitles);
    std::vector<std::string> cues;
    for (const std::string& text : *subtitles) {
        if (!text.empty()) cues.push_back(text);
    }
    ASSERT_EQ(cues.size(), kCueTexts.size());
    for (size_t i = 0; i < cues.size(); ++i) EXPECT_EQ(cues[i], kCueTexts[i] + kFiller);
}

// Between cues that leave gaps ffmpeg writes an empty sample and puts it in
// one chunk with the cue after it. Each chunk offset is read as one sample, so
// such a chunk gives its empty first sample and the cue behind it is not seen:
// only the first cue, which starts its chunk, comes through.
TEST_F(FfmpegMovText, ChunkOfSeveralSamplesGivesOnlyItsFirst) {
    const std::string path = Mux("gapped.mov", true, "gapped.srt");
    std::vector<GPSRecord> records(kMaxGPSRecords);
    int32_t count = 0;
    MovTextGPSReader().read(path.c_str(), records.data(), count);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(records[0].second, 45);
}

// Without faststart ffmpeg writes moov last, where the text reader does not
// look (the front end then scans for blocks, of which there are none here). In
// an MP4 file ffmpeg marks the subtitle track "sbtl", which is no text track.
TEST_F(FfmpegMovText, MoovLastOrAnMP4SubtitleTrackGivesNoRecord) {
    for (const std::string& path : {Mux("late.mov", false), Mux("clip.mp4", true)}) {
        std::vector<GPSRecord> records(kMaxGPSRecords);
        int32_t count = 0;
        ExtractGPSRecords(path.c_str(), records.data(), count);
        EXPECT_EQ(count, 0) << path;
        const std::optional<std::vector<std::string>> subtitles = MovSubtitle().GetSubtitle(path);
        ASSERT_TRUE(subtitles);
        EXPECT_TRUE(subtitles->empty()) << path;
    }
}

}  // namespace
