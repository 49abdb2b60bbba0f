// The marker of a timer tick at any playback time.
#include "AppTestSupport.h"
#include "MapCalls.h"
#include "PlaybackTick.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// "name[args]" with the arguments as JSON, so a type mix-up shows in the diff.
QString Describe(const QVector<PageCall>& calls) {
    QStringList described;
    for (const PageCall& call : calls) described << call.function + QString::fromUtf8(QJsonDocument(call.args).toJson(QJsonDocument::Compact));
    return described.join(u' ');
}

// The Baidu page gets the whole second of the point too; all as text. Past
// the end the marker stays on the last point but the views get the true time.
TEST(PlaybackTick, MarkerArgumentsAtAnyPlaybackTime) {
    GPSTrack track;  // points at 0 s, 10 s and 84 s
    track.addPoint(22.0, 114.0, 0, 0, 0, 0, 0);
    track.addPoint(22.1, 114.1, 10000, 0, 0, 0, 0);
    track.addPoint(22.2, 114.2, 84000, 0, 0, 0, 0);
    track.buildSpeed();
    const struct {
        double t;
        bool baidu;
        const char* calls;  // the start of the marker call
    } cases[] = {
        {0, true, R"(moveMyPosition["22","114","0"] setCenter["22","114","0"])"},
        {5000, false, R"(moveMyPosition["22.05","114.05"] setCenter["22.05","114.05"])"},
        {100000, true, R"(moveMyPosition["22.2","114.2","84"] setCenter["22.2","114.2","84"])"},
        {999, true, R"(","0"])"},
        {12900, true, R"(","12"])"},
        {83999, true, R"(","83"])"},
    };
    for (const auto& c : cases) {
        const std::optional<PlaybackTick> tick = PlaybackTickAt(&track, c.t, c.baidu ? BaiduMapProvider() : GoogleMapProvider());
        ASSERT_TRUE(tick) << c.t;
        EXPECT_TRUE(Describe(MoveAndCenterCalls(tick->markerArgs)).endsWith(QLatin1String(c.calls)))
            << c.t << ": " << Describe(MoveAndCenterCalls(tick->markerArgs)).toStdString();
        EXPECT_EQ(tick->viewTime, static_cast<float>(c.t));
    }

    // No track, an empty track or a time that is not a number give no tick.
    GPSTrack empty;
    EXPECT_FALSE(PlaybackTickAt(nullptr, 0, GoogleMapProvider()));
    EXPECT_FALSE(PlaybackTickAt(&empty, 0, GoogleMapProvider()));
    EXPECT_FALSE(PlaybackTickAt(&track, std::nan(""), GoogleMapProvider()));
    EXPECT_FALSE(PlaybackTickAt(&track, std::numeric_limits<double>::infinity(), GoogleMapProvider()));
}

}  // namespace
