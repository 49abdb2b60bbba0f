#include "CliOptions.h"
#include "ExtractGPSRecords.h"
#include "ExitStatus.h"
#include "FileCheck.h"
#include "FormatsTable.h"
#include "JoinedExport.h"
#include "OutputFiles.h"
#include "ProbeReport.h"
#include "RecordCsv.h"
#include "TrackLoader.h"
#include "TrackForCli.h"
#include "TrackSummary.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <vector>

namespace {

constexpr const char* kProgram = "kolvar-extract";

// One input's outcome: its exit status and, when 0, the text to emit.
struct FileResult {
    int status = kExitPrinted;
    std::string text;
};

FileResult ExtractRecords(const std::string& path, bool repaired) {
    if (const auto reason = CannotOpenReason(path)) return {ReportCannotOpen(kProgram, path, *reason), {}};
    const GPSExtraction extraction = repaired ? ExtractGPSData(path) : ReadGPSData(path);
    const std::vector<GPSRecord>& records = extraction.data.records;
    if (records.empty()) return {ReportNoGPSData(kProgram, path, DescribeExtraction(extraction)), {}};
    std::ostringstream out;
    WriteRecordCsv(out, records.data(), static_cast<int32_t>(records.size()));
    return {kExitPrinted, out.str()};
}

std::optional<TrackLoad> Load(const std::string& path, FileResult& failure) {
    return LoadTrackOrExplain(kProgram, path, failure.status);
}

FileResult ExportTrack(const std::string& path, const CliOptions& options) {
    FileResult result;
    const auto load = Load(path, result);
    if (!load) return result;
    std::ostringstream out;
    const TrackExportInfo info{std::filesystem::path(path).filename().string(), options.utcOffsetMinutes};
    WriteTrackAs(out, *load, info, options.format);
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

int RunProbe(const CliOptions& options) {
    int status = kExitPrinted;
    std::cout << kProbeCsvHeader << '\n';
    for (const std::string& path : options.files) {
        if (const auto reason = CannotOpenReason(path)) {
            status = std::max(status, ReportCannotOpen(kProgram, path, *reason));
            continue;
        }
        const GPSExtraction extraction = ReadGPSData(path);
        WriteProbeRow(std::cout, path, extraction);
        if (extraction.status != ExtractStatus::Found) status = std::max(status, kExitNoGPSData);
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
            std::cout << UsageText();
            status = kExitPrinted;
            break;
        case CliOptions::Mode::Formats:
            WriteFormatsTable(std::cout);
            status = kExitPrinted;
            break;
        case CliOptions::Mode::Probe: status = RunProbe(options); break;
        case CliOptions::Mode::Summary: status = RunSummary(options); break;
        case CliOptions::Mode::Join: status = WriteJoinedDrive(std::cout, kProgram, options); break;
        default: status = RunFiles(options); break;
    }
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "kolvar-extract: cannot write to standard output\n";
        return kExitUsage;
    }
    return status;
}
