#include "LocalDateTime.h"

#include <gtest/gtest.h>

namespace {

bool Parses(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return ParseLocalDateTime({y, mo, d, h, mi, s}).has_value();
}

TEST(LocalDateTime, OnlyRealCalendarTimesParse) {
    EXPECT_TRUE(Parses(2015, 6, 15, 12, 30, 59));
    EXPECT_TRUE(Parses(2016, 2, 29));
    EXPECT_TRUE(Parses(2000, 2, 29));
    EXPECT_FALSE(Parses(2015, 2, 29));
    EXPECT_FALSE(Parses(1900, 2, 29));
    EXPECT_FALSE(Parses(2015, 4, 31));
    EXPECT_TRUE(Parses(2015, 12, 31, 23, 59, 59));
    EXPECT_FALSE(Parses(2015, 0, 1));
    EXPECT_FALSE(Parses(2015, 13, 1));
    EXPECT_FALSE(Parses(2015, 1, 0));
    EXPECT_FALSE(Parses(2015, 1, 1, 24));
    EXPECT_FALSE(Parses(2015, 1, 1, -1));
    EXPECT_FALSE(Parses(2015, 1, 1, 0, 60));
    EXPECT_FALSE(Parses(2015, 1, 1, 0, 0, 60));
    EXPECT_FALSE(Parses(0, 1, 1));
    // Beyond what the clock holds (about 1678 to 2262).
    EXPECT_FALSE(Parses(9999, 12, 31));
    EXPECT_FALSE(Parses(1500, 1, 1));
    EXPECT_TRUE(Parses(1970, 1, 1));
}

TEST(LocalDateTime, ParseAndFormatAgreeInTheLocalZone) {
    const auto instant = ParseLocalDateTime({2015, 6, 15, 12, 0, 5});
    ASSERT_TRUE(instant);
    EXPECT_EQ(std::chrono::system_clock::to_time_t(*instant), 1434369605);  // TZ=UTC in tests
    EXPECT_EQ(FormatLocalDateTime(*instant), "2015-06-15 12:00:05");
    const CalendarTime back = LocalCalendar(*instant);
    EXPECT_EQ(back.year, 2015);
    EXPECT_EQ(back.day, 15);
    EXPECT_EQ(back.second, 5);
}

}  // namespace
