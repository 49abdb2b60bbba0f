#include "ExtractTestSupport.h"
#include "GPSText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>

namespace {

using namespace std::string_literals;
using extract_test::ExpectRecord;

const std::string kText = "A,150615,123045,2234.5678,N,11354.3210,E,35.2,12,-3,98";

bool SameBytes(const GPSRecord& a, const GPSRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(ParseGPSText, AcceptsExactlyElevenFieldsAndLeavesTheRecordAloneOtherwise) {
    GPSRecord record{};
    ASSERT_TRUE(ParseGPSText(kText, record));
    ExpectRecord(record, {2015, 6, 15, 12, 30, 45}, "NE", {22 + 34.5678 / 60, 113 + 54.3210 / 60, 35.2, 12, -3, 98});
    for (const std::string& trailing : {std::string(20, '\0'), std::string(30, '\xFF')}) {  // change nothing
        GPSRecord same{};
        ASSERT_TRUE(ParseGPSText(kText + trailing, same));
        EXPECT_TRUE(SameBytes(same, record));
    }
    EXPECT_TRUE(ParseGPSText(kText + ",", record)) << "a final comma adds no field";
    EXPECT_TRUE(ParseGPSText(",,,,,,,,,,x", record));

    GPSRecord before;
    std::memset(static_cast<void*>(&before), 0x5A, sizeof before);
    for (const std::string& text : {kText.substr(0, kText.size() - 2), kText + ",7", ""s, ",,,,,,,,,,,,"s}) {
        GPSRecord rejected = before;
        EXPECT_FALSE(ParseGPSText(text, rejected)) << text;
        EXPECT_TRUE(SameBytes(rejected, before)) << text;
    }
}

TEST(ParseGPSText, ReadsNumbersTheWayAtoiAndAtofDo) {
    GPSRecord record{};
    // The sign stays (the letter carries the hemisphere); a field without a number gives 0.
    ASSERT_TRUE(ParseGPSText("x,050615,123045.000, +2234.5,S, -11354.3210xyz,W,abc,  7,1e2,.5", record));
    ExpectRecord(record, {2015, 6, 5, 12, 30, 45}, "SW", {22 + 34.5 / 60, -(113 + 54.3210 / 60), 0, 7, 100, 0.5});
    // Division truncates toward zero; numbers beyond int saturate at 2147483647.
    ASSERT_TRUE(ParseGPSText("A,-150615,99999999999999999999,0,N,0,E,0,0,0,0", record));
    ExpectRecord(record, {1985, -6, -15, 214748, 36, 47}, "NE", {});
}

TEST(ParseGPSText, NulEndsAField) {
    GPSRecord record{};
    ASSERT_TRUE(ParseGPSText("A,150615,123045,22\0" "99.5,\0N,11354.3210,,35.2,12,-3,98"s, record));
    EXPECT_DOUBLE_EQ(record.lat, 22.0 / 60);
    EXPECT_EQ(std::string({record.latRef, record.lonRef}), std::string(2, '\0'));
    EXPECT_FALSE(IsValidRecord(record));
}

// The player runs under the desktop's locale; a comma decimal separator there
// must not cut 2234.5678 down to 2234.
TEST(ParseGPSText, IgnoresTheProcessLocale) {
    const ScopedTempDir dir;
    const std::string locale = dir.path() + "/de_DE.UTF-8";
    // localedef warns (status 1) about harmless things; the locale is what counts.
    if (std::system(("localedef -i de_DE -f UTF-8 '" + locale + "' >/dev/null 2>&1").c_str()) < 0 ||
        !std::filesystem::exists(locale))
        GTEST_SKIP() << "cannot build a de_DE locale";
    setenv("LOCPATH", dir.path().c_str(), 1);
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const bool switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr && std::atof("1.5") == 1.0;
    GPSRecord record{};
    const bool parsed = ParseGPSText(kText, record);
    std::setlocale(LC_NUMERIC, previous.c_str());
    unsetenv("LOCPATH");
    if (!switched) GTEST_SKIP() << "the de_DE locale did not take effect";
    ASSERT_TRUE(parsed);
    EXPECT_DOUBLE_EQ(record.lat, 22 + 34.5678 / 60);
    EXPECT_DOUBLE_EQ(record.speed, 35.2);
}

}  // namespace
