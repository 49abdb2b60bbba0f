#include "ByteSource.h"
#include "GpmfReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

namespace {

double SecondOfDay(const GPSRecord& r) { return r.hour * 3600 + r.minute * 60 + r.second + r.millisecond / 1000.0; }
double SignedLat(const GPSRecord& r) { return r.latRef == 'S' ? -r.lat : r.lat; }
double SignedLon(const GPSRecord& r) { return r.lonRef == 'W' ? -r.lon : r.lon; }
double MetresPerSecond(const GPSRecord& r) { return r.speed * 1852 / 3600; }

// The reference is what `exiftool -ee -n -G3 FILE` (ExifTool 12.57) prints for
// the two shared recordings: the number of GPSLatitude values, the first and
// the last fix (the Karma's speed is the length of its GPSSpeedX/Y).
struct Recording {
    const char* file;
    size_t fixes;
    int year, month, day;
    double firstSecondOfDay, firstLat, firstLon, firstSpeed;
    double lastLat, lastLon, lastSpeed;
};

TEST(GoProRecordings, AgreeWithExiftool) {
    const Recording recordings[] = {
        {"gopro-hero5-karma.mp4", 47, 2017, 4, 17, 19 * 3600 + 27 * 60 + 57.52602, 33.1253688, -117.3310668,
         std::hypot(0.88, 0.75), 33.1260123, -117.3314792, std::hypot(7.39, 3.71)},
        {"gopro-max-heromode.mp4", 191, 2019, 11, 18, 23 * 3600 + 45 * 60 + 14.0, 33.12677, -117.3273436, 1.046,
         33.1266674, -117.3272734, 0.527},
    };
    const std::filesystem::path samples = std::filesystem::path(KOLVAR_SOURCE_DIR) / "../shared/data/samples";
    for (const Recording& recording : recordings) {
        SCOPED_TRACE(recording.file);
        FileByteSource source((samples / recording.file).string());
        if (!source.isOpen()) GTEST_SKIP() << "the shared recordings are not beside the project";
        GPSData data;
        ReadGpmf(GPSInput{source, recording.file}, data);
        ASSERT_EQ(data.records.size(), recording.fixes);
        EXPECT_EQ(data.clock, GPSClock::UTC);
        const GPSRecord& first = data.records.front();
        const GPSRecord& last = data.records.back();
        EXPECT_EQ(first.year * 10000 + first.month * 100 + first.day,
                  recording.year * 10000 + recording.month * 100 + recording.day);
        EXPECT_NEAR(SecondOfDay(first), recording.firstSecondOfDay, 0.002);
        EXPECT_NEAR(SignedLat(first), recording.firstLat, 1e-9);
        EXPECT_NEAR(SignedLon(first), recording.firstLon, 1e-9);
        EXPECT_NEAR(MetresPerSecond(first), recording.firstSpeed, 0.001);
        EXPECT_NEAR(SignedLat(last), recording.lastLat, 1e-9);
        EXPECT_NEAR(SignedLon(last), recording.lastLon, 1e-9);
        EXPECT_NEAR(MetresPerSecond(last), recording.lastSpeed, 0.001);
        EXPECT_FALSE(data.accel.empty());
    }
}

}  // namespace
