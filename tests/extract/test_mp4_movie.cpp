#include "ByteSource.h"
#include "MovBuilder.h"
#include "Mp4Movie.h"

#include <gtest/gtest.h>


namespace {

using namespace mov;
using Strings = std::vector<std::string>;

std::optional<Mp4Movie> Read(const std::string& bytes) {
    MemoryByteSource source(bytes);
    return ReadMp4Movie(source);
}

// The bytes each listed sample points at, cut by the end of the file.
Strings SampleBytes(const std::string& file, const Mp4Track& track) {
    Strings bytes;
    for (const Mp4Sample& s : track.samples)
        bytes.push_back(s.offset < int64_t(file.size()) ? file.substr(size_t(s.offset), s.size) : "");
    return bytes;
}

Strings Flat(const std::vector<Strings>& chunks) {
    Strings samples;
    for (const Strings& chunk : chunks) samples.insert(samples.end(), chunk.begin(), chunk.end());
    return samples;
}

const ChunkedTrack kVideo{"vide", "avc1", {{"v1-aaaa", "v2-aa"}, {"v3-aaaaaaaa"}}, 600, 20};
const ChunkedTrack kText{"sbtl", "tx3g", {{"t1-bb", "t2-bb"}, {"t3-bb"}, {"t4-bb", "t5-bb", "t6-bb"}}, 1000, 500};

// Every layout muxers write, fragments included: each sample's bytes, time and duration.
TEST(Mp4Movie, LocatesEverySampleThroughItsTables) {
    const std::vector<Strings> fragments{{"f1-a", "f2-bbb"}, {"f3-c"}, {"f4-dd", "f5-e", "f6-ffff"}};
    const struct { std::string file; std::vector<ChunkedTrack> tracks; } cases[] = {
        {ChunkedMovie({kVideo, kText}), {kVideo, kText}},
        {ChunkedMovie({kVideo, kText}, {Layout::MoovLast, true, false}), {kVideo, kText}},
        {ChunkedMovie({kText}, {Layout::MoovSecond, false, true}), {kText}},
        {FragmentedMovie(kText, fragments, FragmentBase::Moof), {{"sbtl", "tx3g", fragments, 1000, 500}}},
        {FragmentedMovie(kText, fragments, FragmentBase::Explicit), {{"sbtl", "tx3g", fragments, 1000, 500}}},
    };
    for (const auto& c : cases) {
        const std::optional<Mp4Movie> movie = Read(c.file);
        ASSERT_TRUE(movie);
        ASSERT_EQ(movie->tracks.size(), c.tracks.size());
        for (size_t t = 0; t < c.tracks.size(); ++t) {
            SCOPED_TRACE(t);
            const Mp4Track& track = movie->tracks[t];
            EXPECT_EQ(track.handler, MakeFourCC(c.tracks[t].handler == "vide" ? "vide" : "sbtl"));
            EXPECT_EQ(SampleBytes(c.file, track), Flat(c.tracks[t].chunks));
            ASSERT_FALSE(track.samples.empty());
            const double step = double(c.tracks[t].sampleDuration) / c.tracks[t].timescale;
            EXPECT_DOUBLE_EQ(track.samples.back().time, step * double(track.samples.size() - 1));
            EXPECT_DOUBLE_EQ(track.samples.back().duration, step);
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
    const std::string file = ChunkedMovie({kVideo, kText});
    const size_t all = SampleCount(Read(file));
    ASSERT_EQ(all, 9u);
    for (const char* table : {"stco", "stsz", "stsc", "stts"}) {
        std::string broken = file;
        broken.replace(broken.find(table) + 8, 4, BE32(0xFFFFFFFF));  // after version and flags
        EXPECT_LE(SampleCount(Read(broken)), all) << table;
    }
    // One fixed size for four billion samples, four billion to the first chunk:
    // the end of the file ends the chunk.
    std::string huge = ChunkedMovie({kText}, {Layout::MoovSecond, false, true});
    huge.replace(huge.find("stsz") + 12, 4, BE32(0xFFFFFFFF));
    huge.replace(huge.find("stsc") + 16, 4, BE32(0xFFFFFFFF));
    EXPECT_LE(SampleCount(Read(huge)), huge.size() / 5);
    // A run of four billion samples without per-sample fields.
    std::string run = FragmentedMovie(kText, {{"abc"}}, FragmentBase::Explicit);
    run.replace(run.find("trun") + 4, 8, BE32(0) + BE32(0xFFFFFFFF));
    const std::optional<Mp4Movie> bounded = Read(run);
    EXPECT_LE(SampleCount(bounded), Mp4Movie::kMaxSamples);
    EXPECT_TRUE(bounded && bounded->truncated);

    for (size_t length = 0; length < file.size(); ++length)
        ASSERT_LE(SampleCount(Read(file.substr(0, length))), all) << length;
}

}  // namespace
