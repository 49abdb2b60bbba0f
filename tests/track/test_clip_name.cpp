#include "ClipName.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

struct NameCase {
    const char* path;
    std::optional<CalendarTime> time;
    CameraChannel channel;
};

CalendarTime At(int y, int mo, int d, int h, int mi, int s) { return {y, mo, d, h, mi, s}; }

auto Fields(const CalendarTime& c) { return std::tie(c.year, c.month, c.day, c.hour, c.minute, c.second); }

TEST(ClipName, DateTimeAndChannelOfDashCamNames) {
    using enum CameraChannel;
    const NameCase cases[] = {
        {"/card/DCIM/Movie/2021_0101_120000_001F.MP4", At(2021, 1, 1, 12, 0, 0), Front},
        {"2021_0101_120100_002R.MP4", At(2021, 1, 1, 12, 1, 0), Rear},
        {"20210101235959_000123A.MP4", At(2021, 1, 1, 23, 59, 59), Front},
        {"20210101235959_000123B.MP4", At(2021, 1, 1, 23, 59, 59), Rear},
        {"Record/20210101_120000_NF.mp4", At(2021, 1, 1, 12, 0, 0), Front},
        {"Record/20210101_120000_ER.mp4", At(2021, 1, 1, 12, 0, 0), Rear},
        {"Record/20210101_120000_PI.mp4", At(2021, 1, 1, 12, 0, 0), Interior},
        {"Normal/NO20210101-120000-000123F.MP4", At(2021, 1, 1, 12, 0, 0), Front},
        {"Back/NO20210101-120000-000123B.MP4", At(2021, 1, 1, 12, 0, 0), Rear},
        {"cont_rec/REC_2021_01_01_12_00_00_F.MP4", At(2021, 1, 1, 12, 0, 0), Front},
        {"cont_rec/REC_2021_01_01_12_00_00_I.MP4", At(2021, 1, 1, 12, 0, 0), Interior},
        {"FILE210101-120000F.MOV", At(2021, 1, 1, 12, 0, 0), Front},
        {"240915_143027_001_RH.MP4", At(2024, 9, 15, 14, 30, 27), Rear},
        {"20210101_120000.MOV", At(2021, 1, 1, 12, 0, 0), Front},
        {"/cards/Rear/20210101_120000.mov", At(2021, 1, 1, 12, 0, 0), Rear},
        {"/cards/INSIDE/clip.mov", std::nullopt, Interior},
        {"/cards/front/Movie/clip_rear.mov", std::nullopt, Rear},
        // A back folder far above the clips is the user's, not the camera's.
        {"/back/2023/trip/clip.mov", std::nullopt, Front},
        // Digits that are no date: file numbers, a 13th month, a year before 2000.
        {"GRMN0001.MP4", std::nullopt, Front},
        {"IMG_20211310_120000.MP4", std::nullopt, Front},
        {"19991231_235959.MP4", std::nullopt, Front},
        {"2021_0101_120000_001X.MP4", At(2021, 1, 1, 12, 0, 0), Front},
        {"drive.MOV", std::nullopt, Front},
        {"", std::nullopt, Front},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.path);
        const auto time = FileNameDateTime(c.path);
        ASSERT_EQ(time.has_value(), c.time.has_value());
        if (time) {
            EXPECT_EQ(Fields(*time), Fields(*c.time));
        }
        EXPECT_EQ(ClipChannel(c.path), c.channel);
    }
}

}  // namespace
