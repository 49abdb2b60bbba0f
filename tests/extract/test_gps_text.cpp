#include "GPSText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

using namespace std::string_literals;

const std::string kText = "A,150615,123045,2234.5678,N,11354.3210,E,35.2,12,-3,98";

bool SameBytes(const GPSRecord& a, const GPSRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(SplitString, KeepsEmptyFieldsButNoTrailingOne) {
    using Fields = std::vector<std::string>;
    EXPECT_EQ(SplitString(",a,,b", ","), (Fields{"", "a", "", "b"}));
    EXPECT_EQ(SplitString("a,b,", ","), (Fields{"a", "b"}));
    EXPECT_EQ(SplitString("a,b,,", ","), (Fields{"a", "b", ""}));
    EXPECT_EQ(SplitString("abc", ","), (Fields{"abc"}));
    EXPECT_EQ(SplitString("a--b--", "--"), (Fields{"a", "b"}));
    EXPECT_TRUE(SplitString("", ",").empty());
    EXPECT_TRUE(SplitString("a,b", "").empty());
}

TEST(ParseGPSText, FillsEveryField) {
    GPSRecord record{};
    ASSERT_TRUE(ParseGPSText(kText, record));
    EXPECT_EQ(record.day, 15);
    EXPECT_EQ(record.month, 6);
    EXPECT_EQ(record.year, 2015);
    EXPECT_EQ(record.hour, 12);
    EXPECT_EQ(record.minute, 30);
    EXPECT_EQ(record.second, 45);
    EXPECT_DOUBLE_EQ(record.lat, 22.345678);
    EXPECT_EQ(record.latRef, 'N');
    EXPECT_DOUBLE_EQ(record.lon, 113.543210);
    EXPECT_EQ(record.lonRef, 'E');
    EXPECT_DOUBLE_EQ(record.speed, 35.2);
    EXPECT_EQ(record.gsX, 12);
    EXPECT_EQ(record.gsY, -3);
    EXPECT_EQ(record.gsZ, 98);
}

TEST(ParseGPSText, AcceptsExactlyElevenFieldsAndLeavesTheRecordAloneOtherwise) {
    GPSRecord record{};
    EXPECT_TRUE(ParseGPSText(kText + ",", record)) << "a final comma adds no field";
    EXPECT_TRUE(ParseGPSText(",,,,,,,,,,x", record));

    GPSRecord before;
    std::memset(&before, 0x5A, sizeof before);
    for (const std::string& text : {kText.substr(0, kText.size() - 2), kText + ",7", ""s, ",,,,,,,,,,,,"s}) {
        GPSRecord rejected = before;
        EXPECT_FALSE(ParseGPSText(text, rejected)) << text;
        EXPECT_TRUE(SameBytes(rejected, before)) << text;
    }
}

TEST(ParseGPSText, ReadsNumbersTheWayAtoiAndAtofDo) {
    GPSRecord record{};
    ASSERT_TRUE(ParseGPSText("x,050615,123045.000, +2234.5,S, -11354.3210xyz,W,abc,  7,1e2,.5", record));
    EXPECT_EQ(record.day, 5);
    EXPECT_EQ(record.second, 45);
    EXPECT_DOUBLE_EQ(record.lat, 22.345);
    EXPECT_DOUBLE_EQ(record.lon, -113.543210) << "the sign stays; the letter carries the hemisphere";
    EXPECT_EQ(record.speed, 0) << "a field without a number gives 0";
    EXPECT_EQ(record.gsX, 7);
    EXPECT_EQ(record.gsY, 100);
    EXPECT_EQ(record.gsZ, 0.5);

    // Division truncates toward zero; numbers beyond int saturate.
    ASSERT_TRUE(ParseGPSText("A,-150615,99999999999999999999,0,N,0,E,0,0,0,0", record));
    EXPECT_EQ(record.day, -15);
    EXPECT_EQ(record.month, -6);
    EXPECT_EQ(record.year, 2000 - 15);
    EXPECT_EQ(record.hour, 2147483647 / 10000);
    EXPECT_EQ(record.second, 47);
}

TEST(ParseGPSText, NulEndsAFieldAndTrailingBytesChangeNothing) {
    GPSRecord plain{}, withNuls{}, withStuffing{};
    ASSERT_TRUE(ParseGPSText(kText, plain));
    ASSERT_TRUE(ParseGPSText(kText + std::string(20, '\0'), withNuls));
    ASSERT_TRUE(ParseGPSText(kText + std::string(30, '\xFF'), withStuffing));
    EXPECT_TRUE(SameBytes(plain, withNuls));
    EXPECT_TRUE(SameBytes(plain, withStuffing));

    GPSRecord record{};
    ASSERT_TRUE(ParseGPSText("A,150615,123045,22\0" "99.5,\0N,11354.3210,,35.2,12,-3,98"s, record));
    EXPECT_DOUBLE_EQ(record.lat, 0.22);
    EXPECT_EQ(record.latRef, '\0');
    EXPECT_EQ(record.lonRef, '\0') << "an empty letter field";
    EXPECT_FALSE(IsValidRecord(record));
}

// The player runs under the desktop's locale; a comma decimal separator there
// must not cut 2234.5678 down to 2234.
TEST(ParseGPSText, IgnoresTheProcessLocale) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kolvar-locale-XXXXXX").string();
    if (!mkdtemp(pattern.data())) GTEST_SKIP() << "no temporary directory";
    const std::filesystem::path dir = pattern;
    const std::string command = "localedef -i de_DE -f UTF-8 " + (dir / "de_DE.UTF-8").string() + " >/dev/null 2>&1";
    // localedef warns (status 1) about harmless things; the locale is what counts.
    if (std::system(command.c_str()) < 0 || !std::filesystem::exists(dir / "de_DE.UTF-8")) {
        std::filesystem::remove_all(dir);
        GTEST_SKIP() << "cannot build a de_DE locale";
    }
    setenv("LOCPATH", dir.c_str(), 1);
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const bool switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr && std::atof("1.5") == 1.0;

    GPSRecord record{};
    const bool parsed = ParseGPSText(kText, record);
    std::setlocale(LC_NUMERIC, previous.c_str());
    unsetenv("LOCPATH");
    std::filesystem::remove_all(dir);
    if (!switched) GTEST_SKIP() << "the de_DE locale did not take effect";
    ASSERT_TRUE(parsed);
    EXPECT_DOUBLE_EQ(record.lat, 22.345678);
    EXPECT_DOUBLE_EQ(record.speed, 35.2);
}

}  // namespace
