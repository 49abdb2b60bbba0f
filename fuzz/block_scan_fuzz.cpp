// MovGPSBlockScanner on arbitrary files: the count is set and stays within the
// capacity; the array has exactly that room, so AddressSanitizer reports any
// record stored past it.
#include "FuzzFile.h"
#include "MovGPSBlockScanner.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = WriteFuzzFile(data, size, "MOV");
    static std::vector<GPSRecord> records(kMaxGPSRecords);

    int32_t count = -1;
    MovGPSBlockScanner().read(path.c_str(), records.data(), count);
    if (count < 0 || count > kMaxGPSRecords) std::abort();
    return 0;
}
