#include "ExtractTestSupport.h"
#include "RepairGPSRecords.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

using extract_test::ScopedTimeZone;
using extract_test::Time;

// A record on 15 June 2015 at 12:00 plus the given seconds.
GPSRecord At(int second, double lat, double lon, bool fix = true, double speed = 0) {
    return GPSRecord{2015, 6, 15, 12, 0, second, fix ? 'N' : '\0', fix ? 'E' : '\0', lat, lon, speed, 0, 0, 0};
}

GPSRecord Dated(const std::vector<int>& t) { return GPSRecord{t[0], t[1], t[2], t[3], t[4], t[5], 'N', 'E', 22.5, 113.9, 0, 0, 0, 0}; }

std::vector<int> Noon(int second) { return {2015, 6, 15, 12, 0, second}; }

int32_t Repair(std::vector<GPSRecord>& records, GPSClock clock = GPSClock::Local) {
    int32_t count = static_cast<int32_t>(records.size());
    RepairGPSRecords(records.data(), count, clock);
    return count;
}

TEST(RepairGPSRecords, SpikeIsRebuiltFromTheRecordsAsTheyStand) {
    // Time from the record before plus one second, values the mean of both neighbours.
    std::vector<GPSRecord> records{At(0, 22.5, 113.9, true, 10), At(5, 40.0, 113.9, true, 99),
                                   At(9, 22.5, 113.9, true, 20)};
    records[0].gsZ = 100;
    records[2].gsZ = 96;
    ASSERT_EQ(Repair(records), 3);
    EXPECT_EQ(Time(records[1]), Noon(1));
    EXPECT_EQ(std::tuple(records[1].lat, records[1].speed, records[1].gsZ), std::tuple(22.5, 15.0, 98.0));

    // With two records nothing is a spike; longitude counts too, and so does a neighbour without a fix;
    // a NaN difference is never greater.
    const struct { std::vector<GPSRecord> records; double lat, lon; } cases[] = {
        {{At(0, 22.5, 113.9), At(1, 60.0, 10.0)}, 60.0, 10.0},
        {{At(0, 22.5, 113.9, false), At(1, 22.5, 90.0), At(2, 22.5, 114.0)}, 22.5, 114.0},
        {{At(0, 22.5, 113.9), At(1, NAN, 113.9), At(2, 22.5, 113.9)}, NAN, 113.9}};
    for (auto c : cases) {
        ASSERT_EQ(Repair(c.records), int32_t(c.records.size()));
        EXPECT_TRUE(std::isnan(c.lat) ? std::isnan(c.records[1].lat) : c.records[1].lat == c.lat) << c.lat;
        EXPECT_DOUBLE_EQ(c.records[1].lon, c.lon) << c.lat;
    }

    // Record 1 is cleared (22.5 -> 40 -> 5); record 2 then differs from the
    // cleared 0.0 by only 5 and stays; the last record is never a spike.
    std::vector<GPSRecord> chain{At(0, 22.5, 113.9), At(1, 40.0, 113.9), At(2, 5.0, 113.9), At(3, 40.0, 113.9)};
    ASSERT_EQ(Repair(chain), 4);
    EXPECT_EQ(std::tuple(chain[1].lat, chain[2].lat, chain[3].lat), std::tuple((22.5 + 5.0) / 2, 5.0, 40.0));
}

TEST(RepairGPSRecords, SixRecordsWithTwoFixes) {
    std::vector<GPSRecord> records{At(0, 22.5, 113.9, false),     At(5, 22.5, 113.9, false),
                                   At(10, 22.5, 113.9, true, 10), At(15, 22.5, 113.9, false),
                                   At(20, 22.5, 113.9, true, 30), At(25, 22.5, 113.9, false)};
    records[2].gsX = 0;
    records[4].gsX = 10;
    ASSERT_EQ(Repair(records), 6);
    const int seconds[] = {8, 9, 10, 11, 20, 21};
    const double speeds[] = {10, 10, 10, 20, 30, 30};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(IsValidRecord(records[i]));
        EXPECT_EQ(Time(records[i]), Noon(seconds[i]));
        EXPECT_DOUBLE_EQ(records[i].speed, speeds[i]);
        EXPECT_DOUBLE_EQ(records[i].lat, 22.5);
    }
    EXPECT_DOUBLE_EQ(records[3].gsX, 5);
}

TEST(RepairGPSRecords, LongGapIsFilledOnAStraightLineWithTheLettersBefore) {
    std::vector<GPSRecord> records{At(0, 20.0, 100.0),    At(0, 22, 102, false), At(0, 22, 102, false),
                                   At(0, 22, 102, false), At(40, 24.0, 104.0),   At(0, 22, 102, false),
                                   At(59, 26.0, 106.0)};
    records[0].latRef = 'S';
    ASSERT_EQ(Repair(records), 7);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(Time(records[k]), Noon(k));
        EXPECT_EQ(std::tuple(records[k].latRef, records[k].lat, records[k].lon), std::tuple('S', 20.0 + k, 100.0 + k)) << k;
    }
    EXPECT_EQ(Time(records[5]), Noon(41));
    EXPECT_DOUBLE_EQ(records[5].lat, 25.0);
}

TEST(RepairGPSRecords, NullFixesAreHolesAndNothingValidLeavesNoRecord) {
    std::vector<GPSRecord> records{At(0, 0.0, 0.0), At(1, 22.5, 113.9), At(2, 22.6, 113.9),
                                   At(3, 0.00000005, -0.00000005)};
    ASSERT_EQ(Repair(records), 4);
    EXPECT_EQ(Time(records[3]), Noon(3));
    EXPECT_EQ(std::tuple(records[0].lat, records[3].lat), std::tuple(22.5, 22.6));
    std::vector<GPSRecord> oneAxis{At(0, 22.5, 113.9), At(1, 22.6, 113.9), At(2, 0.0000001, 0.0)};
    ASSERT_EQ(Repair(oneAxis), 3);
    EXPECT_DOUBLE_EQ(oneAxis[2].lat, 0.0000001) << "the bound is strict";

    // Only a null fix; a lone fix between two records at 0 / 0 without a fix
    // (a spike); a lower-case letter.
    std::vector<GPSRecord> lowerCase{At(0, 22.5, 113.9)};
    lowerCase[0].latRef = 'n';
    for (std::vector<GPSRecord> invalid : {std::vector{At(0, 1, 1, false), At(1, 0.0, 0.0), At(2, 1, 1, false)},
                                           std::vector{At(0, 0, 0, false), At(1, 22.5, 113.9), At(2, 0, 0, false)},
                                           lowerCase})
        EXPECT_EQ(Repair(invalid), 0);

    GPSRecord untouched;
    std::memset(static_cast<void*>(&untouched), 0x5A, sizeof untouched);
    const GPSRecord before = untouched;
    for (int32_t count : {0, -3}) {
        RepairGPSRecords(&untouched, count);
        EXPECT_EQ(count, 0);
    }
    EXPECT_EQ(std::memcmp(&untouched, &before, sizeof before), 0);
}

// Leap day, the spring-forward hour, normalising out-of-range fields, and
// times mktime cannot represent, which stay as they were.
TEST(ShiftRecordTime, FollowsTheCalendarAndTheZone) {
    ScopedTimeZone zone("Europe/Berlin");
    const std::vector<std::vector<int>> cases[] = {
        {{2016, 2, 28, 23, 59, 59}, {1}, {2016, 2, 29, 0, 0, 0}},
        {{2015, 3, 29, 1, 59, 59}, {1}, {2015, 3, 29, 3, 0, 0}},
        {{2015, 13, 15, 0, 0, 90}, {0}, {2016, 1, 15, 0, 1, 30}},
        {{INT_MAX, 12, 31, 23, 59, 59}, {1}, {INT_MAX, 12, 31, 23, 59, 59}},
        {{INT_MIN, 6, 15, 23, 59, 59}, {1}, {INT_MIN, 6, 15, 23, 59, 59}},
        {{2015, INT_MIN, 15, 23, 59, 59}, {1}, {2015, INT_MIN, 15, 23, 59, 59}},
    };
    for (const auto& c : cases) {
        GPSRecord record = Dated(c[0]);
        ShiftRecordTime(record, c[1][0]);
        EXPECT_EQ(Time(record), c[2]);
    }
}

// Two records without a fix filled beside one: record times on UTC move by whole seconds whatever
// the process's zone does, local ones keep the wall clock's jump; either way across the new year.
TEST(RepairGPSRecords, FillsOnTheRecordsClock) {
    const struct { const char* zone; GPSClock clock; bool fixFirst; std::vector<int> fix, first, second; } cases[] = {
        {"Europe/Berlin", GPSClock::UTC, true, {2015, 3, 29, 1, 59, 59}, {2015, 3, 29, 2, 0, 0}, {2015, 3, 29, 2, 0, 1}},
        {"Europe/Berlin", GPSClock::UTC, true, {2015, 10, 25, 2, 59, 59}, {2015, 10, 25, 3, 0, 0}, {2015, 10, 25, 3, 0, 1}},
        {"Europe/Berlin", GPSClock::Local, true, {2015, 3, 29, 1, 59, 59}, {2015, 3, 29, 3, 0, 0}, {2015, 3, 29, 3, 0, 1}},
        {"Asia/Shanghai", GPSClock::Local, true, {2015, 12, 31, 23, 59, 58}, {2015, 12, 31, 23, 59, 59}, {2016, 1, 1, 0, 0, 0}},
        {"Asia/Shanghai", GPSClock::Local, false, {2016, 1, 1, 0, 0, 0}, {2015, 12, 31, 23, 59, 58}, {2015, 12, 31, 23, 59, 59}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.zone << " " << c.fix[1] << (c.fixFirst ? " after" : " before"));
        ScopedTimeZone zone(c.zone);
        std::vector<GPSRecord> records{At(0, 22, 113, false), At(0, 22, 113, false)};
        records.insert(c.fixFirst ? records.begin() : records.end(), Dated(c.fix));
        ASSERT_EQ(Repair(records, c.clock), 3);
        EXPECT_EQ(Time(records[c.fixFirst ? 1 : 0]), c.first);
        EXPECT_EQ(Time(records[c.fixFirst ? 2 : 1]), c.second);
    }
}

// Several fixes a second: spikes and null fixes go, holes are dropped rather
// than refilled a second apart, and what stays keeps its time.
TEST(RepairGPSRecords, SubSecondHolesAreDropped) {
    std::vector<GPSRecord> records{At(0, 22.5, 113.9, false), At(0, 22.5, 113.9), At(0, 40.0, 113.9),
                                   At(0, 22.5, 113.9),        At(1, 22.6, 113.9, false), At(1, 22.6, 113.9),
                                   At(1, 0.0, 0.0)};
    for (size_t i = 0; i < records.size(); ++i) records[i].millisecond = int32_t(i % 3) * 333;
    ASSERT_EQ(Repair(records), 3);
    const int milliseconds[] = {333, 0, 666};
    const int seconds[] = {0, 0, 1};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(std::tuple(Time(records[i]), records[i].millisecond, IsValidRecord(records[i])),
                  std::tuple(Noon(seconds[i]), milliseconds[i], true)) << i;
    }
    EXPECT_DOUBLE_EQ(records[2].lat, 22.6);
}

}  // namespace
