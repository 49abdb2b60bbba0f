// AviGPSReader on arbitrary files: the count is set and stays within the capacity
// (the array has exactly that room, so AddressSanitizer reports any record
// stored past it), and every stored record was written by the text parser.
#include "FuzzFile.h"
#include "AviGPSReader.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = WriteFuzzFile(data, size, "AVI");
    static std::vector<GPSRecord> records(kMaxGPSRecords);
    std::memset(static_cast<void*>(records.data()), 0xA5, records.size() * sizeof(GPSRecord));

    int32_t count = -1;
    AviGPSReader().read(path.c_str(), records.data(), count);
    if (count < 0 || count > kMaxGPSRecords) std::abort();
    // The parser always writes a year 2000 + (-99 .. 99); the fill pattern is
    // far outside that range.
    for (int32_t i = 0; i < count; ++i) {
        if (records[i].year < 1901 || records[i].year > 2099) std::abort();
    }
    return 0;
}
