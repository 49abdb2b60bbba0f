#include "CliOptions.h"
#include "OutputFiles.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

std::variant<CliOptions, std::string> Parse(std::initializer_list<const char*> args) {
    std::vector<const char*> argv = {"kolvar-extract"};
    argv.insert(argv.end(), args);
    return ParseCliOptions(static_cast<int>(argv.size()), argv.data());
}

const CliOptions& Options(const std::variant<CliOptions, std::string>& parsed) {
    EXPECT_TRUE(std::holds_alternative<CliOptions>(parsed))
        << (std::holds_alternative<std::string>(parsed) ? std::get<std::string>(parsed) : "");
    static const CliOptions none;
    return std::holds_alternative<CliOptions>(parsed) ? std::get<CliOptions>(parsed) : none;
}

bool IsUsageError(const std::variant<CliOptions, std::string>& parsed) {
    return std::holds_alternative<std::string>(parsed);
}

TEST(CliOptions, TrackModeFormatsAndOffsets) {
    const CliOptions plain = Options(Parse({"clip.MOV"}));
    EXPECT_EQ(plain.mode, CliOptions::Mode::Track);
    EXPECT_EQ(plain.format, CliOptions::Format::Csv);

    const CliOptions gpx = Options(Parse({"--format", "gpx", "--utc-offset", "-05:30", "clip.MOV"}));
    EXPECT_EQ(gpx.format, CliOptions::Format::Gpx);
    EXPECT_EQ(gpx.utcOffsetMinutes, -330);
    EXPECT_EQ(Options(Parse({"--format=geojson", "--utc-offset=+08:00", "a.TS"})).utcOffsetMinutes, 480);

    EXPECT_EQ(ParseUtcOffset("+14:00"), 840);
    EXPECT_EQ(ParseUtcOffset("-00:00"), 0);
    for (const char* bad : {"+15:00", "+08:60", "08:00", "+8:00", "+08:00 ", "+0800", "Z", ""})
        EXPECT_FALSE(ParseUtcOffset(bad)) << bad;
}

TEST(CliOptions, UsageErrors) {
    EXPECT_TRUE(IsUsageError(Parse({})));
    EXPECT_TRUE(IsUsageError(Parse({"--format", "kml", "clip.MOV"})));
    EXPECT_TRUE(IsUsageError(Parse({"clip.MOV", "--format"})));
    EXPECT_TRUE(IsUsageError(Parse({"--utc-offset", "+01:00", "clip.MOV"})));  // CSV has no clock
    EXPECT_TRUE(IsUsageError(Parse({"--records", "--format", "gpx", "clip.MOV"})));
    EXPECT_TRUE(IsUsageError(Parse({"--records", "--summary", "clip.MOV"})));
    EXPECT_TRUE(IsUsageError(Parse({"--summary", "--output", "out", "clip.MOV"})));
    EXPECT_TRUE(IsUsageError(Parse({"a.MOV", "b.MOV"})));
    EXPECT_TRUE(IsUsageError(Parse({"--output", "", "a.MOV"})));
    EXPECT_TRUE(IsUsageError(Parse({"--frobnicate", "a.MOV"})));
    EXPECT_EQ(Options(Parse({"--summary", "a.MOV", "b.MOV"})).files.size(), 2u);
    EXPECT_EQ(Options(Parse({"-o", "out", "a.MOV", "--", "--b.MOV"})).files.back(), "--b.MOV");
    EXPECT_EQ(Options(Parse({"--help", "--frobnicate"})).mode, CliOptions::Mode::Help);
}

TEST(OutputFiles, OneFilePerInputNamedAfterIt) {
    const CliOptions gpx = Options(Parse({"--format", "gpx", "-o", "out", "/v/clip.MOV", "/w/clip.AVI"}));
    EXPECT_EQ(OutputPath("out", "/v/clip.MOV", gpx), "out/clip.MOV.gpx");
    EXPECT_FALSE(OutputClash(gpx));
    const CliOptions raw = Options(Parse({"--raw", "-o", "out", "/v/clip.MOV", "/w/clip.MOV"}));
    EXPECT_EQ(OutputPath("out", "/v/clip.MOV", raw), "out/clip.MOV.raw.csv");
    EXPECT_TRUE(OutputClash(raw));
}

}  // namespace
