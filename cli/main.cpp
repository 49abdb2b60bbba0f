#include "CliOptions.h"
#include "ExtractGPSRecords.h"
#include "FileCheck.h"
#include "RecordCsv.h"

#include <iostream>
#include <vector>

namespace {

constexpr int kExitPrinted = 0;
constexpr int kExitNoGPSData = 1;
constexpr int kExitUsage = 2;

int PrintRecords(const std::string& path, bool repaired) {
    if (const auto reason = CannotOpenReason(path)) {
        std::cerr << "kolvar-extract: cannot open " << path << ": " << *reason << '\n';
        return kExitUsage;
    }
    std::vector<GPSRecord> records(kMaxGPSRecords);
    int32_t count = 0;
    if (repaired) {
        ExtractGPSRecords(path.c_str(), records.data(), count);
    } else {
        ReadGPSRecords(path.c_str(), records.data(), count);
    }
    if (count <= 0) {
        std::cerr << "no GPS data in " << path << '\n';
        return kExitNoGPSData;
    }
    WriteRecordCsv(std::cout, records.data(), count);
    std::cout.flush();
    return kExitPrinted;
}

}  // namespace

int main(int argc, char** argv) {
    const auto parsed = ParseCliOptions(argc, argv);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "kolvar-extract: " << *error << "\nTry 'kolvar-extract --help'.\n";
        return kExitUsage;
    }
    const auto& options = std::get<CliOptions>(parsed);
    switch (options.mode) {
        case CliOptions::Mode::Help:
            std::cout << kUsageText;
            return kExitPrinted;
        case CliOptions::Mode::Records:
            return PrintRecords(options.files.front(), true);
        case CliOptions::Mode::Raw:
            return PrintRecords(options.files.front(), false);
        case CliOptions::Mode::Track:
            break;
    }
    return kExitUsage;
}
