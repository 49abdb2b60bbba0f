#include "CalendarClock.h"
#include "ExtractTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <ctime>

namespace {

using extract_test::ScopedTimeZone;

TEST(CalendarClock, OnlyRealCalendarTimesConvert) {
    const struct { CalendarTime time; bool real; } cases[] = {
        {{2015, 6, 15, 12, 30, 59}, true}, {{2016, 2, 29, 0, 0, 0}, true},  {{2000, 2, 29, 0, 0, 0}, true},
        {{2015, 2, 29, 0, 0, 0}, false},   {{1900, 2, 29, 0, 0, 0}, false}, {{2015, 4, 31, 0, 0, 0}, false},
        {{2015, 12, 31, 23, 59, 59}, true}, {{2015, 0, 1, 0, 0, 0}, false}, {{2015, 13, 1, 0, 0, 0}, false},
        {{2015, 1, 0, 0, 0, 0}, false},    {{2015, 1, 1, 24, 0, 0}, false}, {{2015, 1, 1, -1, 0, 0}, false},
        {{2015, 1, 1, 0, 60, 0}, false},   {{2015, 1, 1, 0, 0, 60}, false}, {{0, 1, 1, 0, 0, 0}, false},
        {{1970, 1, 1, 0, 0, 0}, true},     {{9999, 12, 31, 0, 0, 0}, true}, {{1500, 1, 1, 0, 0, 0}, true},
    };
    for (const auto& c : cases) {
        const CalendarTime& t = c.time;
        SCOPED_TRACE(testing::Message() << t.year << "-" << t.month << "-" << t.day << " " << t.hour << ":"
                                        << t.minute << ":" << t.second);
        for (GPSClock clock : {GPSClock::Local, GPSClock::UTC}) {
            EXPECT_EQ(CalendarToSeconds(t, clock).has_value(), c.real);
            // A time point holds about 1678 to 2262 only.
            EXPECT_EQ(CalendarToTimePoint(t, clock).has_value(), c.real && t.year > 1678 && t.year < 2262);
        }
    }
}

// The same fields name different instants on the two clocks; both read back.
TEST(CalendarClock, BothClocksRoundTripInAZoneWithSummerTime) {
    ScopedTimeZone zone("Europe/Berlin");
    const CalendarTime summer{2015, 6, 15, 12, 0, 5};
    const std::optional<int64_t> utc = CalendarToSeconds(summer, GPSClock::UTC);
    const std::optional<int64_t> local = CalendarToSeconds(summer, GPSClock::Local);
    ASSERT_TRUE(utc && local);
    EXPECT_EQ(*utc, 1434369605);
    EXPECT_EQ(*utc - *local, 2 * 3600);
    for (const auto& [clock, seconds] : {std::pair{GPSClock::UTC, *utc}, std::pair{GPSClock::Local, *local}}) {
        const std::optional<CalendarTime> back = SecondsToCalendar(seconds, clock);
        ASSERT_TRUE(back);
        EXPECT_EQ(std::tie(back->year, back->month, back->day, back->hour, back->minute, back->second),
                  std::tie(summer.year, summer.month, summer.day, summer.hour, summer.minute, summer.second));
    }
    const auto instant = CalendarToTimePoint(summer, GPSClock::Local);
    ASSERT_TRUE(instant);
    EXPECT_EQ(FormatLocalDateTime(*instant), "2015-06-15 12:00:05");
    EXPECT_EQ(LocalCalendar(*instant).hour, 12);
}

// Wall-clock times either side of a change of summer time: the change skips an hour in spring
// and repeats one in autumn.
TEST(CalendarClock, LocalTimesFollowTheZonesSummerTime) {
    const struct {
        const char* zone;
        CalendarTime from, to;
        int64_t seconds;
    } cases[] = {
        {"Europe/Berlin", {2026, 3, 29, 1, 59, 59}, {2026, 3, 29, 3, 0, 0}, 1},
        {"Europe/Berlin", {2026, 10, 25, 1, 59, 59}, {2026, 10, 25, 3, 0, 0}, 7201},
        {"Europe/Berlin", {2026, 1, 15, 12, 0, 0}, {2026, 7, 15, 12, 0, 0}, 181 * 86400 - 3600},
        {"Asia/Shanghai", {2026, 3, 29, 1, 59, 59}, {2026, 3, 29, 3, 0, 0}, 3601},
        {"UTC", {2026, 10, 25, 1, 59, 59}, {2026, 10, 25, 3, 0, 0}, 3601},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.zone << " " << c.from.month << "-" << c.from.day);
        ScopedTimeZone zone(c.zone);
        const std::optional<int64_t> from = CalendarToSeconds(c.from, GPSClock::Local);
        const std::optional<int64_t> to = CalendarToSeconds(c.to, GPSClock::Local);
        ASSERT_TRUE(from && to);
        EXPECT_EQ(*to - *from, c.seconds);
    }
}

TEST(CalendarClock, NormalisingCarriesAndMillisecondsKeepTheCameraRanges) {
    EXPECT_EQ(CalendarToSecondsNormalising({2015, 13, 32, 0, 0, 0}, GPSClock::UTC),
              CalendarToSeconds({2016, 2, 1, 0, 0, 0}, GPSClock::UTC));
    EXPECT_FALSE(CalendarToSecondsNormalising({INT_MIN, 1, 1, 0, 0, 0}, GPSClock::UTC));
    EXPECT_FALSE(SecondsToCalendar(INT64_MAX, GPSClock::UTC));
    // UTC is worked out without the C library: it must agree with it across
    // century leap rules, negative years and fields that carry either way.
    const CalendarTime carries[] = {{1900, 3, 1, 0, 0, -1}, {2000, 2, 29, 23, 59, 60}, {2100, 1, 60, 0, 0, 0},
                                    {-44, -13, -400, -50, 100, -100}, {1969, 12, 31, 23, 59, 59},
                                    {999'999, 99'999'999, -99'999'999, 7, 8, 9}, {1'000'001, 1, 1, 0, 0, 0}};
    for (const CalendarTime& c : carries) {
        std::tm fields{};
        fields.tm_year = c.year - 1900, fields.tm_mon = c.month - 1, fields.tm_mday = c.day;
        fields.tm_hour = c.hour, fields.tm_min = c.minute, fields.tm_sec = c.second;
        const int64_t expected = timegm(&fields);
        EXPECT_EQ(CalendarToSecondsNormalising(c, GPSClock::UTC), expected) << c.year << "-" << c.month;
        const std::optional<CalendarTime> back = SecondsToCalendar(expected, GPSClock::UTC);
        ASSERT_TRUE(back);
        // timegm left the carried fields in place.
        EXPECT_EQ(std::tuple(back->year, back->month, back->day, back->hour, back->minute, back->second),
                  std::tuple(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, fields.tm_hour, fields.tm_min,
                             fields.tm_sec));
    }

    EXPECT_EQ(UtcMilliseconds(2015, 6, 30, 23, 59, 60, 5), int64_t{1435708800005});  // a leap second
    EXPECT_EQ(UtcMilliseconds(2015, 2, 31, 0, 0, 0), UtcMilliseconds(2015, 3, 3, 0, 0, 0));
    EXPECT_FALSE(UtcMilliseconds(2015, 6, 32, 0, 0, 0));
    EXPECT_FALSE(UtcMilliseconds(2015, 6, 1, 0, 0, 0, 1000));
    EXPECT_FALSE(UtcMilliseconds(INT_MAX, 12, 31, 0, 0, 0)) << "beyond what milliseconds hold";

    GPSRecord record{};
    ASSERT_TRUE(SetRecordUtc(record, -1));
    EXPECT_EQ(std::tie(record.year, record.second, record.millisecond), std::tuple(1969, 59, 999));
    EXPECT_FALSE(SetRecordUtc(record, 253402300800000)) << "year 10000";
    EXPECT_EQ(record.year, 1969);
}

}  // namespace
