#include "CliTestSupport.h"
#include "MovBuilder.h"
#include "SideFileBuilder.h"

#include "GPSReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sys/stat.h>

namespace {

std::string Expected(const std::string& name) {
    return ReadWholeFile(std::string(KOLVAR_CLI_EXPECTED_DIR) + "/" + name);
}

// clip.MOV: a side file with a header and four records, S and W, the last with a
// full G-sensor block. drive.MOV: a text track of five fixes a second apart,
// heading north-east. blank.AVI and blank.MOV: no GPS data.
void WriteClips(const ScopedTempDir& dir) {
    dir.write("clip.MOV", "the player would read this; the extractor must not");
    std::vector<std::string> lines = {"DRAVIK GMAP 1.0 20150615120000"};
    for (int i = 0; i < 3; ++i)
        lines.push_back(SideFileRecordLine(SideFilePosition('S', 33, 510000 + 600 * i, 'W', 70, 390000 + 900 * i),
                                           SideFileTimestamp(2015, 6, 15, 12, 0, 2 + i)));
    lines.push_back(SideFileRecordLine(SideFilePosition('S', 33, 512400, 'W', 70, 393600),
                                       std::vector<SideFileSample>(16, {-5, 12, 101}),
                                       SideFileTimestamp(2015, 6, 15, 12, 0, 6)));
    dir.write("clip.GMAP", JoinSideFile(lines, {kSideFileSeparatorA, kSideFileSeparatorB}));
    std::vector<std::string> texts;
    for (int i = 0; i < 5; ++i) {
        char text[96];
        std::snprintf(text, sizeof text, "A,150615,1200%02d,%.4f,N,%.4f,E,%d.5,%d,-3,98", i,
                      2234.5678 + 0.01 * i, 11354.3210 + 0.012 * i, 20 + i, 10 + i);
        texts.push_back(text);
    }
    dir.write("drive.MOV", mov::Movie({mov::TextTrack(texts)}));
    dir.write("blank.AVI", "RIFF");
    dir.write("blank.MOV", mov::Movie({}));
}

TEST(KolvarExtract, OutputsFilesAndExitStatuses) {
    const ScopedTempDir dir;
    WriteClips(dir);
    const std::string summary = Expected("summary.csv");
    // The file without GPS data keeps its row, between the others.
    const size_t driveRow = summary.find("drive.MOV");
    const std::string withBlank = summary.substr(0, driveRow) + "blank.AVI,,0,,,,,\n" + summary.substr(driveRow);
    // The worst status of several files wins: 0 data, 1 no data, 2 an error.
    const struct { const char* args; int status; std::string out, err; } cases[] = {
        {"clip.MOV", 0, Expected("side_file_track.csv"), ""},
        {"drive.MOV", 0, Expected("embedded_track.csv"), ""},
        {"--summary clip.MOV drive.MOV", 0, summary, ""},
        {"--summary clip.MOV blank.AVI drive.MOV", 1, withBlank, "no GPS data in blank.AVI\n"},
        {"--summary missing.MOV clip.MOV blank.AVI drive.MOV", 2, withBlank, "cannot open missing.MOV"},
        {"blank.MOV", 1, "", "no GPS data in blank.MOV\n"},
        {"--format kml blank.MOV", 2, "", ""},
        {"blank.AVI", 1, "", "no known GPS layout in the file (looked for: avi-02gp)"},
    };
    for (const auto& c : cases) {
        const ExtractRun run = RunExtract(dir, c.args);
        EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.err;
        EXPECT_EQ(run.out, c.out) << c.args;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.args << "\n" << run.err;
    }
    const ExtractRun help = RunExtract(dir, "--help");
    EXPECT_EQ(help.status, 0);
    // Every dialect of the registry is named, and --formats has one row each.
    const ExtractRun formats = RunExtract(dir, "--formats");
    for (const GPSReader& reader : GPSReaderRegistry()) {
        EXPECT_NE(help.out.find(std::string(reader.id) + ": "), std::string::npos) << reader.id;
        EXPECT_NE(formats.out.find("| `" + std::string(reader.id) + "` |"), std::string::npos) << reader.id;
    }

    // An output folder gets one valid file per input that has data.
    const ExtractRun run = RunExtract(dir, "--format gpx --utc-offset +08:00 --output out clip.MOV blank.AVI drive.MOV");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "/out/blank.AVI.gpx"));
    for (const char* name : {"clip.MOV.gpx", "drive.MOV.gpx"}) {
        std::string report;
        EXPECT_TRUE(ValidatesAgainstGpxSchema(dir.path() + "/out/" + name, report)) << name << report;
    }
    const std::string gpx = ReadWholeFile(dir.path() + "/out/drive.MOV.gpx");
    EXPECT_NE(gpx.find("<time>2015-06-15T04:00:04Z</time>"), std::string::npos) << gpx;
    EXPECT_EQ(RunExtract(dir, "-o out clip.MOV").status, 0);
    EXPECT_EQ(ReadWholeFile(dir.path() + "/out/clip.MOV.csv"), Expected("side_file_track.csv"));

    // A side file that is there but cannot be read is no missing data...
    std::filesystem::create_directory(dir.path() + "/blank.GMAP");
    const ExtractRun sideDir = RunExtract(dir, "blank.MOV");
    EXPECT_EQ(sideDir.status, 2);
    EXPECT_NE(sideDir.err.find("blank.GMAP"), std::string::npos) << sideDir.err;
    // ...nor does a FIFO in its place make the tool wait for a writer.
    std::filesystem::remove(dir.path() + "/blank.GMAP");
    ASSERT_EQ(mkfifo((dir.path() + "/blank.GMAP").c_str(), 0600), 0);
    EXPECT_EQ(RunExtract(dir, "blank.MOV").status, 2);
    EXPECT_EQ(RunExtract(dir, "--records blank.GMAP").status, 2);
}

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
