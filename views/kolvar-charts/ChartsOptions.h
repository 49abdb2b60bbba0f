#pragma once

#include <string>
#include <variant>

struct ChartsOptions {
    bool help = false;
    std::string file;
    double atSeconds = 0;
    int width = 352;
    int height = 100;
    std::string outputDir;
};

// The parsed options, or the text of a usage error.
std::variant<ChartsOptions, std::string> ParseChartsOptions(int argc, const char* const* argv);

extern const char* const kChartsUsageText;
