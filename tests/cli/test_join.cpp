#include "CliTestSupport.h"
#include "MovBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Clips of 60 fixes a second apart from 12:00 plus startMinute, moving north.
std::string GpsClip(int startMinute) {
    std::vector<std::string> texts;
    for (int i = 0; i < 60; ++i) {
        char text[96];
        std::snprintf(text, sizeof text, "A,010121,12%02d%02d,%.4f,N,11354.3210,E,36.0,1,2,98", startMinute, i,
                      2234.5678 + 0.01 * (startMinute * 60 + i));
        texts.push_back(text);
    }
    return mov::Movie({mov::TextTrack(texts)});
}

size_t Count(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

TEST(KolvarExtractJoin, OneDriveFromItsClips) {
    const ScopedTempDir dir;
    dir.write("2021_0101_120000_001F.MOV", GpsClip(0));
    dir.write("2021_0101_120100_002F.MOV", GpsClip(1));
    dir.write("2021_0101_120100_002R.MOV", GpsClip(1));
    dir.write("2021_0101_120200_003F.MOV", mov::HeaderOnlyMovie(mov::Mvhd(0, 1000, 60000)));
    const std::string a = "2021_0101_120000_001F.MOV", b = "2021_0101_120100_002F.MOV";
    const std::string blank = "2021_0101_120200_003F.MOV", rear = "2021_0101_120100_002R.MOV";
    const struct {
        std::string args;
        int status;
        std::vector<std::string> outHas;  // each once
        std::string errHas;
        size_t lines;
    } cases[] = {
        // Given in any order, the clips run on in the order of their times.
        {"--join " + b + " " + a, 0, {"\n0,", "\n59000,", "\n60000,", "\n119000,"}, "", 121},
        {"--join --format gpx " + a + " " + b, 0,
         {"<trkseg>", "<time>2021-01-01T12:00:00Z</time>", "<time>2021-01-01T12:01:59Z</time>"}, "", 0},
        {"--join --format geojson --utc-offset +01:00 " + a + " " + b, 0,
         {"\"LineString\"", "\"time\": \"2021-01-01T11:00:00Z\"", "\"2021-01-01T11:01:59Z\"]"}, "", 0},
        {"--join " + a + " " + rear + " " + b, 0, {"\n119000,"}, rear + ": a rear clip, left out", 121},
        {"--join " + a + " " + blank + " " + b, 1, {"\n119000,"}, "no GPS data in " + blank, 121},
        {"--join missing.MOV " + a, 2, {"\n59000,"}, "cannot open missing.MOV", 61},
        {"--join " + blank, 1, {}, "no GPS data in " + blank, 0},
        {"--join -o out " + a + " " + b, 2, {}, "takes no --output", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const ExtractRun run = RunExtract(dir, c.args);
        EXPECT_EQ(run.status, c.status);
        for (const std::string& has : c.outHas) EXPECT_EQ(Count(run.out, has), 1u) << has;
        EXPECT_NE(run.err.find(c.errHas), std::string::npos) << run.err;
        if (c.lines) {
            EXPECT_EQ(size_t(std::count(run.out.begin(), run.out.end(), '\n')), c.lines);
        }
        if (c.outHas.empty()) {
            EXPECT_EQ(run.out, "");
        }
    }
}

}  // namespace
