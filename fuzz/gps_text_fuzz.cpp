// ParseGPSText on arbitrary bytes: accepted exactly when there are eleven
// fields, and a rejected text leaves the record as it was.
#include "GPSText.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    GPSRecord record;
    std::memset(&record, 0xA5, sizeof record);
    const GPSRecord before = record;

    const bool accepted = ParseGPSText(text, record);
    if (accepted != (SplitString(text, ",").size() == 11)) std::abort();
    if (!accepted && std::memcmp(&record, &before, sizeof record) != 0) std::abort();
    // Two decimal digits of year after 2000, as the text carries them.
    if (accepted && (record.year < 1901 || record.year > 2099)) std::abort();
    return 0;
}
