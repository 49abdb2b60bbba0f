// The map calls that no load exercises through a page (odd polylines, the
// emptied map) and the marker of a timer tick at any playback time.
#include "AppTestSupport.h"
#include "MapCalls.h"
#include "PlaybackTick.h"

#include <QJsonValue>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// "name(arg, arg)" with text in quotes, so a type mix-up shows in the diff.
QString Describe(const QVector<PageCall>& calls) {
    QStringList described;
    for (const PageCall& call : calls) {
        QStringList args;
        for (const QJsonValue& arg : call.args) {
            args << (arg.isString() ? u'"' + arg.toString() + u'"' : QString::number(arg.toDouble(), 'g', 17));
        }
        described << call.function + u'(' + args.join(QStringLiteral(", ")) + u')';
    }
    return described.join(u' ');
}

TEST(AddPlineCalls, OddLastElementAndTooShortListsGiveNoExtraPoint) {
    EXPECT_EQ(Describe(AddPlineCalls({22.5, 114.05, 23.0})), R"(clearPoints() addPoint("22.5", "114.05") addPline())");
    EXPECT_EQ(Describe(AddPlineCalls({22.5})), "clearPoints() addPline()");
}

TEST(ClearPointsCalls, ClearThenAddOneTwoAsText) {
    EXPECT_EQ(Describe(ClearPointsCalls()), R"(clearPoints() add("1", "2"))");
}

class PlaybackTickTest : public testing::Test {
protected:
    void SetUp() override {
        // Points at 0 s, 10 s and 84 s.
        track.addPoint(22.0, 114.0, 0, 0, 0, 0, 0);
        track.addPoint(22.1, 114.1, 10000, 0, 0, 0, 0);
        track.addPoint(22.2, 114.2, 84000, 0, 0, 0, 0);
        track.buildSpeed();
    }
    QString describeTick(double t, bool baidu) {
        const std::optional<PlaybackTick> tick = PlaybackTickAt(&track, t, baidu);
        return tick ? Describe(MoveAndCenterCalls(tick->markerArgs)) : QStringLiteral("none");
    }
    GPSTrack track;
};

TEST_F(PlaybackTickTest, BaiduPageGetsLatLonAndTheWholeSecondAsText) {
    EXPECT_EQ(describeTick(0, true), R"(moveMyPosition("22", "114", "0") setCenter("22", "114", "0"))");
    for (const auto& [t, second] : {std::pair{12900.0, "12"}, std::pair{83999.0, "83"}, std::pair{999.0, "0"}}) {
        const std::optional<PlaybackTick> tick = PlaybackTickAt(&track, t, true);
        ASSERT_TRUE(tick);
        ASSERT_EQ(tick->markerArgs.size(), 3);
        for (const QJsonValue& arg : tick->markerArgs) EXPECT_TRUE(arg.isString());
        EXPECT_EQ(tick->markerArgs.at(2).toString(), QString::fromLatin1(second)) << t;
        EXPECT_EQ(tick->viewTime, static_cast<float>(t));
    }
}

TEST_F(PlaybackTickTest, GooglePageGetsLatLonAsTextOnly) {
    EXPECT_EQ(describeTick(5000, false), R"(moveMyPosition("22.05", "114.05") setCenter("22.05", "114.05"))");
}

TEST_F(PlaybackTickTest, PastTheEndTheMarkerStaysOnTheLastPointButViewsGetTheTrueTime) {
    const std::optional<PlaybackTick> tick = PlaybackTickAt(&track, 100000, true);
    ASSERT_TRUE(tick);
    EXPECT_EQ(Describe(MoveAndCenterCalls(tick->markerArgs)).section(u' ', 0, 0), R"(moveMyPosition("22.2",)");
    EXPECT_EQ(tick->markerArgs.at(2).toString(), QStringLiteral("84"));
    EXPECT_EQ(tick->viewTime, 100000.0f);
}

TEST_F(PlaybackTickTest, NoTrackAnEmptyTrackOrATimeThatIsNotANumberGiveNoTick) {
    GPSTrack empty;
    EXPECT_FALSE(PlaybackTickAt(nullptr, 0, false));
    EXPECT_FALSE(PlaybackTickAt(&empty, 0, false));
    EXPECT_FALSE(PlaybackTickAt(&track, std::nan(""), true));
    EXPECT_FALSE(PlaybackTickAt(&track, std::numeric_limits<double>::infinity(), true));
}

}  // namespace
