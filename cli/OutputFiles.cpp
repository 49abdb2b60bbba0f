#include "OutputFiles.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

namespace {

const char* Suffix(const CliOptions& options) {
    switch (options.mode) {
        case CliOptions::Mode::Records: return ".records.csv";
        case CliOptions::Mode::Raw: return ".raw.csv";
        default: break;
    }
    switch (options.format) {
        case CliOptions::Format::Gpx: return ".gpx";
        case CliOptions::Format::GeoJson: return ".geojson";
        case CliOptions::Format::Csv: break;
    }
    return ".csv";
}

}  // namespace

std::string OutputPath(const std::string& dir, const std::string& input, const CliOptions& options) {
    const std::string name = std::filesystem::path(input).filename().string();
    return (std::filesystem::path(dir) / (name + Suffix(options))).string();
}

std::optional<std::string> OutputClash(const CliOptions& options) {
    if (!options.outputDir) return std::nullopt;
    std::set<std::string> seen;
    for (const std::string& input : options.files) {
        const std::string path = OutputPath(*options.outputDir, input, options);
        if (!seen.insert(path).second) return "two inputs would both be written to " + path;
    }
    return std::nullopt;
}

std::optional<std::string> PrepareOutputDir(const std::string& dir) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) return "cannot create " + dir + ": " + error.message();
    if (!std::filesystem::is_directory(dir, error)) return dir + " is not a directory";
    return std::nullopt;
}

std::optional<std::string> WriteOutputFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return "cannot write " + path + ": " + std::strerror(errno);
    out << text;
    out.close();
    if (!out) return "cannot write " + path + ": " + std::strerror(errno);
    return std::nullopt;
}
