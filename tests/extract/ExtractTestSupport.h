#pragma once

#include "ByteSource.h"
#include "GPSReader.h"
#include "GPSRecord.h"
#include "ScopedTimeZone.h"
#include "GPSTexts.h"
#include "TempFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>

// Shared by the extraction tests.
namespace extract_test {

using ::ScopedTimeZone;

struct ReadResult {
    int32_t count;
    std::vector<GPSRecord> records;
    std::vector<int> seconds() const {
        std::vector<int> seconds;
        for (const GPSRecord& record : records) seconds.push_back(record.second);
        return seconds;
    }
};

using ReadFunction = void (*)(const GPSInput&, GPSData&);

inline ReadResult ReadFrom(ReadFunction read, ByteSource&& source, const std::string& path = {}) {
    GPSData data;
    read(GPSInput{source, path}, data);
    return {static_cast<int32_t>(data.records.size()), data.records};
}

// Runs one reader on the file at path, or on bytes in memory.
inline ReadResult ReadWith(ReadFunction read, const std::string& path) { return ReadFrom(read, FileByteSource(path), path); }
inline ReadResult ReadBytes(ReadFunction read, const std::string& bytes) { return ReadFrom(read, MemoryByteSource(bytes)); }

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
