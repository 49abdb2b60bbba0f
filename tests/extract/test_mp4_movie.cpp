#include "ByteSource.h"
#include "GPSTexts.h"
#include "Mp4Movie.h"
#include "ScopedTempDir.h"

#include <gtest/gtest.h>

namespace {

std::optional<Mp4Movie> Read(const std::string& bytes) {
    MemoryByteSource source(bytes);
    return ReadMp4Movie(source);
}

std::string Sample(const char* name) { return ReadWholeFile(KOLVAR_GOLDEN_SAMPLES "/mov-text/" + std::string(name)); }

std::string BE32(uint32_t value) { return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)}; }

// The golden samples lay their tracks out as muxers do (chunks of several samples, co64, one
// size for all, moov last, fragments with either base); every sample lasts half a second, and
// text sample i holds GPS text i after its two length bytes.
TEST(Mp4Movie, LocatesEverySampleThroughItsTables) {
    for (const char* name : {"chunks-co64-moov-last.mov", "styled-subtitles.mp4", "one-size-subtitles.3gp",
                             "fragments.mp4", "fragments-base-offset.mp4"}) {
        SCOPED_TRACE(name);
        const std::string file = Sample(name);
        const std::optional<Mp4Movie> movie = Read(file);
        ASSERT_TRUE(movie);
        ASSERT_FALSE(movie->tracks.empty());
        for (const Mp4Track& track : movie->tracks) {
            ASSERT_GE(track.samples.size(), 2u);
            for (size_t i = 0; i < track.samples.size(); ++i) {
                const Mp4Sample& s = track.samples[i];
                EXPECT_DOUBLE_EQ(s.time, 0.5 * double(i));
                EXPECT_DOUBLE_EQ(s.duration, 0.5);
                const std::string bytes = file.substr(size_t(s.offset), s.size);
                if (track.handler == MakeFourCC("vide")) EXPECT_EQ(bytes, std::string(s.size, 'v')) << i;
                else EXPECT_EQ(bytes.find(GPSTextAt(int(i))), 2u) << i << ": " << bytes;
            }
        }
    }
}

size_t SampleCount(const std::optional<Mp4Movie>& movie) {
    size_t count = 0;
    if (movie)
        for (const Mp4Track& track : movie->tracks) count += track.samples.size();
    return count;
}

// Counts a table cannot hold, sample runs that no file could hold, and a file
// cut at every byte: fewer samples, never a crash, a hang or an over-read.
TEST(Mp4Movie, HostileTablesAndTruncationListNoMoreThanTheFileHolds) {
    const std::string file = Sample("styled-subtitles.mp4");
    const size_t all = SampleCount(Read(file));
    ASSERT_EQ(all, 8u);
    for (const char* table : {"stco", "stsz", "stsc", "stts"}) {
        std::string broken = file;
        broken.replace(broken.find(table) + 8, 4, BE32(0xFFFFFFFF));  // after version and flags
        EXPECT_LE(SampleCount(Read(broken)), all) << table;
    }
    // One fixed size for four billion samples, four billion to the first chunk:
    // the end of the file ends the chunk.
    std::string huge = Sample("one-size-subtitles.3gp");
    huge.replace(huge.find("stsz") + 12, 4, BE32(0xFFFFFFFF));
    huge.replace(huge.find("stsc") + 16, 4, BE32(0xFFFFFFFF));
    EXPECT_LE(SampleCount(Read(huge)), huge.size() / 5);
    // A run of four billion samples without per-sample fields.
    std::string run = Sample("fragments-base-offset.mp4");
    run.replace(run.find("trun") + 4, 8, BE32(0) + BE32(0xFFFFFFFF));
    const std::optional<Mp4Movie> bounded = Read(run);
    EXPECT_LE(SampleCount(bounded), Mp4Movie::kMaxSamples);
    EXPECT_TRUE(bounded && bounded->truncated);

    for (size_t length = 0; length < file.size(); ++length)
        ASSERT_LE(SampleCount(Read(file.substr(0, length))), all) << length;
}

}  // namespace
