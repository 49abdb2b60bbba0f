#pragma once

#include "GPSRecord.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// Shared by the tests of the binary container readers.
namespace binary_reader_test {

// Slots past the caller's capacity that no reader may write.
inline constexpr int32_t kGuardSlots = 64;
inline constexpr unsigned char kUntouched = 0x5A;

struct ReadResult {
    int32_t count;
    std::vector<GPSRecord> records;  // the first count records
};

inline bool IsUntouched(const GPSRecord& record) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    for (size_t i = 0; i < sizeof record; ++i)
        if (bytes[i] != kUntouched) return false;
    return true;
}

// Runs one reader on path with a count that starts at initialCount, over an
// array whose slots beyond kMaxGPSRecords are checked to stay untouched.
template <class Reader>
ReadResult ReadWith(const std::string& path, int32_t initialCount = 0) {
    std::vector<GPSRecord> records(kMaxGPSRecords + kGuardSlots);
    std::memset(static_cast<void*>(records.data()), kUntouched, records.size() * sizeof(GPSRecord));
    int32_t count = initialCount;
    Reader().read(path.c_str(), records.data(), count);
    EXPECT_LE(count, kMaxGPSRecords);
    for (int32_t i = kMaxGPSRecords; i < kMaxGPSRecords + kGuardSlots; ++i)
        if (!IsUntouched(records[i])) ADD_FAILURE() << "record " << i << " lies past the capacity but was written";
    records.resize(static_cast<size_t>(count < 0 ? 0 : count));
    return {count, records};
}

// Writes bytes at offset into an existing file; the gap before them stays a
// hole, so multi-gigabyte files cost only the pages written.
inline void WriteAt(const std::string& path, int64_t offset, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    ASSERT_NE(file, nullptr) << path;
    const bool written = fseeko(file, offset, SEEK_SET) == 0 &&
                         std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    ASSERT_TRUE(written) << "cannot write " << bytes.size() << " bytes at " << offset << " in " << path;
}

inline ::testing::AssertionResult SameRecord(const GPSRecord& a, const GPSRecord& b) {
    const bool same = a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
                      a.minute == b.minute && a.second == b.second && a.latRef == b.latRef &&
                      a.lonRef == b.lonRef && a.lat == b.lat && a.lon == b.lon && a.speed == b.speed &&
                      a.gsX == b.gsX && a.gsY == b.gsY && a.gsZ == b.gsZ;
    if (same) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "records differ: " << a.hour << ":" << a.minute << ":" << a.second
                                         << " " << a.lat << a.latRef << " vs " << b.hour << ":" << b.minute << ":"
                                         << b.second << " " << b.lat << b.latRef;
}

// A text the GPS text parser accepts, told apart by its second.
inline std::string GpsText(int second) {
    char text[96];
    std::snprintf(text, sizeof text, "A,150615,1230%02d,2234.5678,N,11354.3210,E,35.2,12,-3,98", second % 60);
    return text;
}

}  // namespace binary_reader_test
