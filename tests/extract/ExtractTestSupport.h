#pragma once

#include "GPSRecord.h"
#include "GPSTexts.h"
#include "TempFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

// Shared by the extraction tests.
namespace extract_test {

struct ReadResult {
    int32_t count;
    std::vector<GPSRecord> records;  // the first count records
    std::vector<int> seconds() const {
        std::vector<int> seconds;
        for (const GPSRecord& record : records) seconds.push_back(record.second);
        return seconds;
    }
};

// Runs one reader on path with a count that starts at initialCount, over an
// array whose slots past kMaxGPSRecords must stay untouched.
template <class Reader>
ReadResult ReadWith(const std::string& path, int32_t initialCount = 0) {
    constexpr int32_t kGuardSlots = 64;
    std::vector<GPSRecord> records(kMaxGPSRecords + kGuardSlots);
    const std::string untouched(kGuardSlots * sizeof(GPSRecord), '\x5A');
    std::memset(static_cast<void*>(records.data()), 0x5A, records.size() * sizeof(GPSRecord));
    int32_t count = initialCount;
    Reader().read(path.c_str(), records.data(), count);
    EXPECT_LE(count, kMaxGPSRecords);
    EXPECT_EQ(std::memcmp(records.data() + kMaxGPSRecords, untouched.data(), untouched.size()), 0)
        << "a record past the capacity was written";
    records.resize(static_cast<size_t>(std::max(count, 0)));
    return {count, records};
}

template <class Reader>
ReadResult ReadBytes(const std::string& bytes, const std::string& extension, int32_t initialCount = 0) {
    const TempFile file(bytes, extension);
    return ReadWith<Reader>(file.path(), initialCount);
}

// Writes bytes at offset into an existing file; the gap before them stays a
// hole, so multi-gigabyte files cost only the pages written.
inline bool WriteAt(const std::string& path, int64_t offset, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    if (!file) return false;
    const bool written = fseeko(file, offset, SEEK_SET) == 0 &&
                         std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

inline std::vector<int> Time(const GPSRecord& r) { return {r.year, r.month, r.day, r.hour, r.minute, r.second}; }

inline auto Fields(const GPSRecord& r) {
    return std::tuple(r.year, r.month, r.day, r.hour, r.minute, r.second, r.latRef, r.lonRef, r.lat, r.lon, r.speed,
                      r.gsX, r.gsY, r.gsZ);
}

// Checks time, hemisphere letters and the leading values of lat, lon, speed,
// gsX, gsY, gsZ (to within 1e-9).
inline void ExpectRecord(const GPSRecord& r, const std::vector<int>& time, std::string_view refs,
                         const std::vector<double>& values) {
    EXPECT_EQ(Time(r), time);
    EXPECT_EQ(std::string({r.latRef, r.lonRef}), refs);
    const double got[] = {r.lat, r.lon, r.speed, r.gsX, r.gsY, r.gsZ};
    for (size_t i = 0; i < values.size(); ++i) EXPECT_NEAR(got[i], values[i], 1e-9) << "value " << i;
}

}  // namespace extract_test
