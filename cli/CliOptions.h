#pragma once

#include <string>
#include <variant>
#include <vector>

struct CliOptions {
    enum class Mode { Track, Records, Raw, Help };
    Mode mode = Mode::Track;
    std::vector<std::string> files;
};

// The parsed options, or the text of a usage error.
std::variant<CliOptions, std::string> ParseCliOptions(int argc, const char* const* argv);

extern const char* const kUsageText;
