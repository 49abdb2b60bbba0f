#include "CliOptions.h"
#include "OutputFiles.h"

#include <gtest/gtest.h>

namespace {

std::variant<CliOptions, std::string> Parse(std::vector<const char*> args) {
    args.insert(args.begin(), "kolvar-extract");
    return ParseCliOptions(static_cast<int>(args.size()), args.data());
}

CliOptions Options(std::vector<const char*> args) {
    const auto parsed = Parse(args);
    if (const auto* error = std::get_if<std::string>(&parsed)) ADD_FAILURE() << *error;
    return std::holds_alternative<CliOptions>(parsed) ? std::get<CliOptions>(parsed) : CliOptions{};
}

TEST(CliOptions, ModesFormatsOffsetsAndUsageErrors) {
    const CliOptions gpx = Options({"--format", "gpx", "--utc-offset", "-05:30", "clip.MOV"});
    EXPECT_EQ(gpx.format, CliOptions::Format::Gpx);
    EXPECT_EQ(gpx.utcOffsetMinutes, -330);
    EXPECT_EQ(Options({"--format=geojson", "--utc-offset=+08:00", "a.TS"}).utcOffsetMinutes, 480);
    EXPECT_EQ(Options({"-o", "out", "a.MOV", "--", "--b.MOV"}).files.back(), "--b.MOV");
    EXPECT_EQ(Options({"--help", "--frobnicate"}).mode, CliOptions::Mode::Help);

    EXPECT_EQ(ParseUtcOffset("+14:00"), 840);
    EXPECT_EQ(ParseUtcOffset("-00:00"), 0);
    for (const char* bad : {"+15:00", "+08:60", "08:00", "+8:00", "+08:00 ", "+0800", "Z", ""})
        EXPECT_FALSE(ParseUtcOffset(bad)) << bad;

    const std::vector<std::vector<const char*>> usageErrors = {
        {}, {"--format", "kml", "clip.MOV"}, {"clip.MOV", "--format"},
        {"--utc-offset", "+01:00", "clip.MOV"},  // CSV has no clock
        {"--records", "--format", "gpx", "clip.MOV"}, {"--records", "--summary", "clip.MOV"},
        {"--summary", "--output", "out", "clip.MOV"}, {"a.MOV", "b.MOV"}, {"--output", "", "a.MOV"},
        {"--frobnicate", "a.MOV"},
    };
    for (const auto& args : usageErrors)
        EXPECT_TRUE(std::holds_alternative<std::string>(Parse(args))) << (args.empty() ? "" : args[0]);

    // One file per input, named after it; two inputs of one name would clash.
    EXPECT_FALSE(OutputClash(Options({"--format", "gpx", "-o", "out", "/v/clip.MOV", "/w/clip.AVI"})));
    const CliOptions raw = Options({"--raw", "-o", "out", "/v/clip.MOV", "/w/clip.MOV"});
    EXPECT_EQ(OutputPath("out", "/v/clip.MOV", raw), "out/clip.MOV.raw.csv");
    EXPECT_TRUE(OutputClash(raw));
}

}  // namespace
