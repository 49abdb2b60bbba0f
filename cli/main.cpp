#include "CliOptions.h"
#include "ExtractGPSRecords.h"
#include "FileCheck.h"
#include "GeoJsonWriter.h"
#include "GpxWriter.h"
#include "OutputFiles.h"
#include "RecordCsv.h"
#include "TrackCsv.h"
#include "TrackLoader.h"
#include "TrackSummary.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <vector>

namespace {

constexpr int kExitPrinted = 0;
constexpr int kExitNoGPSData = 1;
constexpr int kExitUsage = 2;

// One input's outcome: its exit status and, when 0, the text to emit.
struct FileResult {
    int status = kExitPrinted;
    std::string text;
};

FileResult CannotOpen(const std::string& path, const std::string& reason) {
    std::cerr << "kolvar-extract: cannot open " << path << ": " << reason << '\n';
    return {kExitUsage, {}};
}

FileResult NoGPSData(const std::string& path, const std::string& reason) {
    std::cerr << "no GPS data in " << path << '\n';
    if (!reason.empty()) std::cerr << "kolvar-extract: " << path << ": " << reason << '\n';
    return {kExitNoGPSData, {}};
}

FileResult ExtractRecords(const std::string& path, bool repaired) {
    if (const auto reason = CannotOpenReason(path)) return CannotOpen(path, *reason);
    const GPSExtraction extraction = repaired ? ExtractGPSData(path) : ReadGPSData(path);
    const std::vector<GPSRecord>& records = extraction.data.records;
    if (records.empty()) return NoGPSData(path, DescribeExtraction(extraction));
    std::ostringstream out;
    WriteRecordCsv(out, records.data(), static_cast<int32_t>(records.size()));
    return {kExitPrinted, out.str()};
}

// The track as the player loads it; a side file that is there but unreadable
// is reported as such rather than as missing data.
std::optional<TrackLoad> Load(const std::string& path, FileResult& failure) {
    if (const auto reason = CannotOpenReason(path)) {
        failure = CannotOpen(path, *reason);
        return std::nullopt;
    }
    const std::string sideFile = SideFilePath(path);
    std::error_code error;
    if (std::filesystem::exists(sideFile, error)) {
        if (const auto reason = CannotOpenReason(sideFile)) {
            failure = CannotOpen(sideFile, *reason);
            return std::nullopt;
        }
    }
    TrackLoad load = LoadTrack(path);
    if (load.track->isEmpty()) {
        failure = NoGPSData(path, load.reason);
        return std::nullopt;
    }
    return load;
}

FileResult ExportTrack(const std::string& path, const CliOptions& options) {
    FileResult result;
    const auto load = Load(path, result);
    if (!load) return result;
    std::ostringstream out;
    const TrackExportInfo info{std::filesystem::path(path).filename().string(), options.utcOffsetMinutes};
    switch (options.format) {
        case CliOptions::Format::Csv: WriteTrackCsv(out, *load->track); break;
        case CliOptions::Format::Gpx: WriteTrackGpx(out, *load, info); break;
        case CliOptions::Format::GeoJson: WriteTrackGeoJson(out, *load, info); break;
    }
    return {kExitPrinted, out.str()};
}

FileResult Produce(const std::string& path, const CliOptions& options) {
    switch (options.mode) {
        case CliOptions::Mode::Records: return ExtractRecords(path, true);
        case CliOptions::Mode::Raw: return ExtractRecords(path, false);
        default: return ExportTrack(path, options);
    }
}

int RunSummary(const CliOptions& options) {
    int status = kExitPrinted;
    bool headerPrinted = false;
    for (const std::string& path : options.files) {
        FileResult failure;
        const auto load = Load(path, failure);
        if (!load) status = std::max(status, failure.status);
        // A file without GPS data is a row of the table too, with no points.
        if (!load && failure.status != kExitNoGPSData) continue;
        if (!headerPrinted) std::cout << kSummaryCsvHeader << '\n';
        headerPrinted = true;
        if (load) {
            WriteSummaryRow(std::cout, path, *load);
        } else {
            WriteEmptySummaryRow(std::cout, path);
        }
    }
    return status;
}

int RunFiles(const CliOptions& options) {
    if (options.outputDir) {
        if (const auto clash = OutputClash(options)) {
            std::cerr << "kolvar-extract: " << *clash << '\n';
            return kExitUsage;
        }
        if (const auto problem = PrepareOutputDir(*options.outputDir)) {
            std::cerr << "kolvar-extract: " << *problem << '\n';
            return kExitUsage;
        }
    }
    int status = kExitPrinted;
    for (const std::string& path : options.files) {
        FileResult result = Produce(path, options);
        if (result.status == kExitPrinted) {
            if (!options.outputDir) {
                std::cout << result.text;
            } else if (const auto problem =
                           WriteOutputFile(OutputPath(*options.outputDir, path, options), result.text)) {
                std::cerr << "kolvar-extract: " << *problem << '\n';
                result.status = kExitUsage;
            }
        }
        status = std::max(status, result.status);
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    const auto parsed = ParseCliOptions(argc, argv);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "kolvar-extract: " << *error << "\nTry 'kolvar-extract --help'.\n";
        return kExitUsage;
    }
    const auto& options = std::get<CliOptions>(parsed);
    int status = kExitUsage;
    switch (options.mode) {
        case CliOptions::Mode::Help:
            std::cout << kUsageText;
            status = kExitPrinted;
            break;
        case CliOptions::Mode::Summary: status = RunSummary(options); break;
        default: status = RunFiles(options); break;
    }
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "kolvar-extract: cannot write to standard output\n";
        return kExitUsage;
    }
    return status;
}
