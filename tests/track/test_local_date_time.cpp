#include "LocalDateTime.h"

#include <gtest/gtest.h>

namespace {

TEST(LocalDateTime, OnlyRealCalendarTimesParse) {
    const struct { CalendarTime time; bool parses; } cases[] = {
        {{2015, 6, 15, 12, 30, 59}, true}, {{2016, 2, 29, 0, 0, 0}, true},
        {{2000, 2, 29, 0, 0, 0}, true},    {{2015, 2, 29, 0, 0, 0}, false},
        {{1900, 2, 29, 0, 0, 0}, false},   {{2015, 4, 31, 0, 0, 0}, false},
        {{2015, 12, 31, 23, 59, 59}, true}, {{2015, 0, 1, 0, 0, 0}, false},
        {{2015, 13, 1, 0, 0, 0}, false},   {{2015, 1, 0, 0, 0, 0}, false},
        {{2015, 1, 1, 24, 0, 0}, false},   {{2015, 1, 1, -1, 0, 0}, false},
        {{2015, 1, 1, 0, 60, 0}, false},   {{2015, 1, 1, 0, 0, 60}, false},
        {{0, 1, 1, 0, 0, 0}, false},       {{1970, 1, 1, 0, 0, 0}, true},
        // Beyond what the clock holds (about 1678 to 2262).
        {{9999, 12, 31, 0, 0, 0}, false},  {{1500, 1, 1, 0, 0, 0}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseLocalDateTime(c.time).has_value(), c.parses)
            << c.time.year << "-" << c.time.month << "-" << c.time.day << " " << c.time.hour << ":"
            << c.time.minute << ":" << c.time.second;
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
