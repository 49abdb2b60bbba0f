#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

struct CliOptions {
    enum class Mode { Track, Join, Records, Raw, Summary, Probe, Formats, Help };
    enum class Format { Csv, Gpx, GeoJson };
    Mode mode = Mode::Track;
    Format format = Format::Csv;       // of the track
    int utcOffsetMinutes = 0;          // the camera's clock minus UTC
    std::optional<std::string> outputDir;
    std::vector<std::string> files;
};

// The parsed options, or the text of a usage error.
std::variant<CliOptions, std::string> ParseCliOptions(int argc, const char* const* argv);

// "+HH:MM" or "-HH:MM" with HH 00-14 and MM 00-59, in minutes.
std::optional<int> ParseUtcOffset(const std::string& text);

// --help, with the dialects of the registry.
std::string UsageText();
