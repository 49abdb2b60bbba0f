// MovTextGPSReader on arbitrary files: the count stays within the capacity,
// and every stored record was written by the text parser.
#include "FuzzFile.h"
#include "MovTextGPSReader.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = WriteFuzzFile(data, size, "mov");
    // Filled once; after each run only the slots the reader stored are filled again.
    static std::vector<GPSRecord> records = [] {
        std::vector<GPSRecord> filled(kMaxGPSRecords);
        std::memset(filled.data(), 0xA5, filled.size() * sizeof(GPSRecord));
        return filled;
    }();

    int32_t count = -1;
    MovTextGPSReader().read(path.c_str(), records.data(), count);
    if (count < 0 || count > kMaxGPSRecords) std::abort();
    // The parser always writes a year 2000 + (-99 .. 99); the fill pattern is
    // far outside that range.
    for (int32_t i = 0; i < count; ++i) {
        if (records[i].year < 1901 || records[i].year > 2099) std::abort();
    }
    std::memset(records.data(), 0xA5, static_cast<size_t>(count) * sizeof(GPSRecord));
    return 0;
}
