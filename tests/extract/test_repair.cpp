#include "RepairGPSRecords.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace {

// Sets TZ for one test and puts the previous value back.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* current = std::getenv("TZ")) previous = current;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone() {
        if (previous) setenv("TZ", previous->c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> previous;
};

GPSRecord Fix(int hour, int minute, int second, double lat, double lon, char latRef = 'N', char lonRef = 'E') {
    GPSRecord record{};
    record.year = 2015;
    record.month = 6;
    record.day = 15;
    record.hour = hour;
    record.minute = minute;
    record.second = second;
    record.latRef = latRef;
    record.lonRef = lonRef;
    record.lat = lat;
    record.lon = lon;
    return record;
}

GPSRecord NoFix(int hour, int minute, int second, double lat, double lon) {
    return Fix(hour, minute, second, lat, lon, '\0', '\0');
}

GPSRecord WithReadings(GPSRecord record, double speed, double gsX, double gsY, double gsZ) {
    record.speed = speed;
    record.gsX = gsX;
    record.gsY = gsY;
    record.gsZ = gsZ;
    return record;
}

void ExpectTime(const GPSRecord& r, int year, int month, int day, int hour, int minute, int second) {
    EXPECT_EQ(r.year, year);
    EXPECT_EQ(r.month, month);
    EXPECT_EQ(r.day, day);
    EXPECT_EQ(r.hour, hour);
    EXPECT_EQ(r.minute, minute);
    EXPECT_EQ(r.second, second);
}

int32_t Repair(std::vector<GPSRecord>& records) {
    int32_t count = static_cast<int32_t>(records.size());
    RepairGPSRecords(records.data(), count);
    return count;
}

TEST(RepairGPSRecords, TwoRecordsAreNeverSpikes) {
    std::vector<GPSRecord> records{Fix(12, 0, 0, 22.5, 113.9), Fix(12, 0, 1, 60.0, 10.0)};
    ASSERT_EQ(Repair(records), 2);
    EXPECT_EQ(records[1].lat, 60.0);
}

TEST(RepairGPSRecords, SpikeIsClearedAndRebuiltBetweenItsNeighbours) {
    std::vector<GPSRecord> records{WithReadings(Fix(12, 0, 0, 22.5, 113.9), 10, 2, -4, 100),
                                   WithReadings(Fix(12, 0, 5, 40.0, 113.9), 99, 99, 99, 99),
                                   WithReadings(Fix(12, 0, 9, 22.5, 113.9), 20, 4, -8, 96)};
    ASSERT_EQ(Repair(records), 3);
    const GPSRecord& rebuilt = records[1];
    ExpectTime(rebuilt, 2015, 6, 15, 12, 0, 1);  // the first record's time plus one second
    EXPECT_EQ(rebuilt.latRef, 'N');
    EXPECT_DOUBLE_EQ(rebuilt.lat, 22.5);
    EXPECT_DOUBLE_EQ(rebuilt.lon, 113.9);
    EXPECT_DOUBLE_EQ(rebuilt.speed, 15);
    EXPECT_DOUBLE_EQ(rebuilt.gsX, 3);
    EXPECT_DOUBLE_EQ(rebuilt.gsY, -6);
    EXPECT_DOUBLE_EQ(rebuilt.gsZ, 98);
}

TEST(RepairGPSRecords, LongitudeSpikeCountsNeighboursWithoutFix) {
    std::vector<GPSRecord> records{NoFix(12, 0, 0, 22.5, 113.9), Fix(12, 0, 1, 22.5, 90.0),
                                   Fix(12, 0, 2, 22.5, 114.0)};
    ASSERT_EQ(Repair(records), 3);
    EXPECT_DOUBLE_EQ(records[1].lon, 114.0);
    ExpectTime(records[1], 2015, 6, 15, 12, 0, 1);
    ExpectTime(records[0], 2015, 6, 15, 12, 0, 0);
}

// The spike test sees its previous record as it stands, cleared or not.
TEST(RepairGPSRecords, SpikeTestSeesTheRecordClearedJustBefore) {
    std::vector<GPSRecord> records{Fix(12, 0, 0, 22.5, 113.9), Fix(12, 0, 1, 40.0, 113.9),
                                   Fix(12, 0, 2, 5.0, 113.9), Fix(12, 0, 3, 40.0, 113.9)};
    ASSERT_EQ(Repair(records), 4);
    // Record 1 was cleared (22.5 -> 40 -> 5); record 2 then differs from the
    // cleared 0.0 by only 5 and stays; the last record is never a spike.
    EXPECT_DOUBLE_EQ(records[1].lat, (22.5 + 5.0) / 2);
    EXPECT_DOUBLE_EQ(records[2].lat, 5.0);
    EXPECT_DOUBLE_EQ(records[3].lat, 40.0);
}

TEST(RepairGPSRecords, NotANumberNeverMarksASpike) {
    std::vector<GPSRecord> records{Fix(12, 0, 0, 22.5, 113.9), Fix(12, 0, 1, NAN, 113.9),
                                   Fix(12, 0, 2, 22.5, 113.9)};
    ASSERT_EQ(Repair(records), 3);
    EXPECT_TRUE(std::isnan(records[1].lat));
}

TEST(RepairGPSRecords, SixRecordsWithTwoFixes) {
    std::vector<GPSRecord> records{
        NoFix(12, 0, 0, 22.5, 113.9),
        NoFix(12, 0, 5, 22.5, 113.9),
        WithReadings(Fix(12, 0, 10, 22.5, 113.9), 10, 0, 20, 100),
        NoFix(12, 0, 15, 22.5, 113.9),
        WithReadings(Fix(12, 0, 20, 22.5, 113.9), 30, 10, 40, 50),
        NoFix(12, 0, 25, 22.5, 113.9),
    };
    ASSERT_EQ(Repair(records), 6);
    const int expectedSeconds[] = {8, 9, 10, 11, 20, 21};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(IsValidRecord(records[i]));
        ExpectTime(records[i], 2015, 6, 15, 12, 0, expectedSeconds[i]);
        EXPECT_DOUBLE_EQ(records[i].lat, 22.5);
        EXPECT_DOUBLE_EQ(records[i].lon, 113.9);
    }
    EXPECT_DOUBLE_EQ(records[0].speed, 10);
    EXPECT_DOUBLE_EQ(records[3].speed, 20);
    EXPECT_DOUBLE_EQ(records[3].gsX, 5);
    EXPECT_DOUBLE_EQ(records[3].gsY, 30);
    EXPECT_DOUBLE_EQ(records[3].gsZ, 75);
    EXPECT_DOUBLE_EQ(records[5].speed, 30);
}

TEST(RepairGPSRecords, LongGapIsFilledOnAStraightLineKeepingTheLettersBefore) {
    std::vector<GPSRecord> records{Fix(12, 0, 0, 20.0, 100.0, 'S', 'W'), NoFix(0, 0, 0, 22, 102),
                                   NoFix(0, 0, 0, 22, 102), NoFix(0, 0, 0, 22, 102), Fix(12, 0, 40, 24.0, 104.0),
                                   NoFix(0, 0, 0, 22, 102), Fix(12, 1, 0, 26.0, 106.0)};
    ASSERT_EQ(Repair(records), 7);
    for (int k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(records[k].latRef, 'S');
        EXPECT_EQ(records[k].lonRef, 'W');
        ExpectTime(records[k], 2015, 6, 15, 12, 0, k);
        EXPECT_DOUBLE_EQ(records[k].lat, 20.0 + k);
        EXPECT_DOUBLE_EQ(records[k].lon, 100.0 + k);
    }
    ExpectTime(records[5], 2015, 6, 15, 12, 0, 41);
    EXPECT_DOUBLE_EQ(records[5].lat, 25.0);
}

TEST(RepairGPSRecords, NullFixesAreHoles) {
    std::vector<GPSRecord> records{Fix(12, 0, 0, 0.0, 0.0), Fix(12, 0, 1, 22.5, 113.9), Fix(12, 0, 2, 22.6, 113.9),
                                   Fix(12, 0, 3, 0.00000005, -0.00000005)};
    ASSERT_EQ(Repair(records), 4);
    ExpectTime(records[0], 2015, 6, 15, 12, 0, 0);
    EXPECT_DOUBLE_EQ(records[0].lat, 22.5);
    ExpectTime(records[3], 2015, 6, 15, 12, 0, 3);
    EXPECT_DOUBLE_EQ(records[3].lat, 22.6);

    std::vector<GPSRecord> oneAxisZero{Fix(12, 0, 0, 22.5, 113.9), Fix(12, 0, 1, 22.6, 113.9),
                                       Fix(12, 0, 2, 0.0000001, 0.0)};
    ASSERT_EQ(Repair(oneAxisZero), 3);
    EXPECT_DOUBLE_EQ(oneAxisZero[2].lat, 0.0000001) << "the bound is strict";
}

TEST(RepairGPSRecords, NothingValidLeavesNoRecord) {
    std::vector<GPSRecord> onlyNullFix{NoFix(12, 0, 0, 1, 1), Fix(12, 0, 1, 0.0, 0.0), NoFix(12, 0, 2, 1, 1)};
    EXPECT_EQ(Repair(onlyNullFix), 0);

    // A lone fix between two 0 / 0 records without a fix is a spike.
    std::vector<GPSRecord> loneSpike{NoFix(12, 0, 0, 0, 0), Fix(12, 0, 1, 22.5, 113.9), NoFix(12, 0, 2, 0, 0)};
    EXPECT_EQ(Repair(loneSpike), 0);

    std::vector<GPSRecord> noLetters{NoFix(12, 0, 0, 22.5, 113.9), Fix(12, 0, 1, 22.5, 113.9, 'n', 'e')};
    EXPECT_EQ(Repair(noLetters), 0);
}

TEST(RepairGPSRecords, EmptyOrNegativeCountTouchesNothing) {
    GPSRecord record;
    std::memset(&record, 0x5A, sizeof record);
    const GPSRecord before = record;
    int32_t count = 0;
    RepairGPSRecords(&record, count);
    EXPECT_EQ(count, 0);
    count = -3;
    RepairGPSRecords(&record, count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
}

TEST(ShiftRecordTime, CarriesAcrossMidnightAndTheNewYear) {
    ScopedTimeZone zone("Asia/Shanghai");
    GPSRecord record = Fix(23, 59, 59, 22.5, 113.9);
    record.year = 2015;
    record.month = 12;
    record.day = 31;
    ShiftRecordTime(record, +1);
    ExpectTime(record, 2016, 1, 1, 0, 0, 0);
    ShiftRecordTime(record, -1);
    ExpectTime(record, 2015, 12, 31, 23, 59, 59);
    ShiftRecordTime(record, 24 * 3600 + 62);
    ExpectTime(record, 2016, 1, 2, 0, 1, 1);
    record.month = 2;
    record.day = 28;
    record.hour = 23;
    record.minute = 59;
    record.second = 59;
    ShiftRecordTime(record, +1);
    ExpectTime(record, 2016, 2, 29, 0, 0, 0);
}

TEST(ShiftRecordTime, FollowsTheZoneAcrossADaylightSavingChange) {
    ScopedTimeZone zone("Europe/Berlin");
    GPSRecord record = Fix(1, 59, 59, 52.5, 13.4);
    record.year = 2015;
    record.month = 3;
    record.day = 29;
    ShiftRecordTime(record, +1);
    ExpectTime(record, 2015, 3, 29, 3, 0, 0);
}

TEST(ShiftRecordTime, NormalisesOutOfRangeFields) {
    GPSRecord record = Fix(0, 0, 90, 22.5, 113.9);
    record.month = 13;
    ShiftRecordTime(record, 0);
    ExpectTime(record, 2016, 1, 15, 0, 1, 30);
}

TEST(ShiftRecordTime, LeavesAnUnrepresentableTimeAlone) {
    GPSRecord lastYear = Fix(23, 59, 59, 22.5, 113.9);
    lastYear.year = INT_MAX;
    lastYear.month = 12;
    lastYear.day = 31;
    ShiftRecordTime(lastYear, +1);
    ExpectTime(lastYear, INT_MAX, 12, 31, 23, 59, 59);

    GPSRecord firstYear = Fix(23, 59, 59, 22.5, 113.9);
    firstYear.year = INT_MIN;
    ShiftRecordTime(firstYear, +1);
    ExpectTime(firstYear, INT_MIN, 6, 15, 23, 59, 59);

    GPSRecord lowMonth = Fix(23, 59, 59, 22.5, 113.9);
    lowMonth.month = INT_MIN;
    ShiftRecordTime(lowMonth, +1);
    ExpectTime(lowMonth, 2015, INT_MIN, 15, 23, 59, 59);
}

// Fills that cross midnight on New Year's Eve in the zone the test sets.
TEST(RepairGPSRecords, FillsAcrossTheNewYearInTheLocalZone) {
    ScopedTimeZone zone("Asia/Shanghai");
    GPSRecord first = Fix(0, 0, 0, 22.5, 113.9);
    first.year = 2016;
    first.month = 1;
    first.day = 1;
    GPSRecord last = Fix(23, 59, 58, 22.5, 113.9);
    last.year = 2015;
    last.month = 12;
    last.day = 31;
    std::vector<GPSRecord> leading{NoFix(0, 0, 0, 1, 1), first};
    ASSERT_EQ(Repair(leading), 2);
    ExpectTime(leading[0], 2015, 12, 31, 23, 59, 59);

    std::vector<GPSRecord> trailing{last, NoFix(0, 0, 0, 1, 1), NoFix(0, 0, 0, 1, 1)};
    ASSERT_EQ(Repair(trailing), 3);
    ExpectTime(trailing[1], 2015, 12, 31, 23, 59, 59);
    ExpectTime(trailing[2], 2016, 1, 1, 0, 0, 0);
}

}  // namespace
