#include "PageHarness.h"

#include <QJsonArray>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

struct LatLon {
    double lat, lon;
};

// A winding drive of about 1.5 km, away from China so both pages draw it
// unshifted.
std::vector<LatLon> drive(int count)
{
    std::vector<LatLon> points;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / count;
        points.push_back({48.137 + 0.008 * t + 0.0008 * std::sin(t * 12.0), 11.575 + 0.012 * t * t});
    }
    return points;
}

// The calls the player makes at the end of a load: every other vertex as
// text, the rest as numbers, so that the page sees both forms.
QVector<PageCall> loadCalls(const std::vector<LatLon>& points, bool baidu)
{
    QVector<PageCall> calls{{"clearPoints", {}}, {"add", {"1", "2"}}};
    for (size_t i = 0; i < points.size(); ++i) {
        const LatLon& p = points[i];
        calls.push_back({"addPoint", i % 2 ? QJsonArray{p.lat, p.lon} : QJsonArray{NumberText(p.lat), NumberText(p.lon)}});
    }
    calls.push_back({"addPline", {}});
    const LatLon& first = points.front();
    calls.push_back({"moveMyPosition", baidu ? QJsonArray{first.lat, first.lon, 0} : QJsonArray{first.lat, first.lon}});
    calls.push_back({"flyto", {NumberText(first.lat), NumberText(first.lon)}});
    return calls;
}

LatLon latLon(const QJsonValue& pair)
{
    return {pair[0].toDouble(), pair[1].toDouble()};
}

bool at(const QJsonValue& pair, LatLon p)
{
    return latLon(pair).lat == p.lat && latLon(pair).lon == p.lon;
}

// Leaflet pans by whole pixels, so the centre lands within a pixel of where
// it was sent.
bool centredOn(const QJsonObject& state, LatLon p)
{
    const double degreesPerPixel = 360.0 / (256.0 * std::exp2(state["zoom"].toDouble()));
    const LatLon centre = latLon(state["center"]);
    return std::abs(centre.lat - p.lat) <= degreesPerPixel && std::abs(centre.lon - p.lon) <= degreesPerPixel;
}

bool inView(const QJsonObject& state, LatLon p)
{
    const LatLon southWest = latLon(state["bounds"][0]), northEast = latLon(state["bounds"][1]);
    return p.lat >= southWest.lat && p.lat <= northEast.lat && p.lon >= southWest.lon && p.lon <= northEast.lon;
}

class MapPageTest : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override { ASSERT_TRUE(harness.loadAndWaitForScript(MapPageUrl(GetParam()))); }

    bool baidu() const { return QLatin1String(GetParam()) == QLatin1String("BaiduMap"); }

    int drawnPaths()
    {
        return harness.evaluate("Array.from(document.querySelectorAll('.leaflet-overlay-pane path'))"
                                ".filter(p => (p.getAttribute('d') || '').length > 1).length").toInt();
    }

    // The Baidu page answers every finished line; the other page never does.
    void expectLinesAnswered(int lines)
    {
        EXPECT_TRUE(harness.waitFor([&] { return harness.lineCompleteCalls == (baidu() ? lines : 0); }));
    }

    PageHarness harness;
};

TEST_P(MapPageTest, LoadsReplaceClearAndSkipWhatCannotBeRead)
{
    // Unreadable coordinates and unknown functions drop only themselves.
    QVector<PageCall> calls{{"clearPoints", {}}, {"noSuchFunction", {1, 2}}};
    for (const QJsonArray& unreadable : {QJsonArray{"abc", "11.5"}, {NumberText(std::nan("")), "11.5"}, {"Infinity", "11.5"},
                                         {"91", "11.5"}, {"48.1", "-180.5"}, {"", ""}, {QJsonValue::Null, QJsonObject{}}, {}})
        calls.push_back({"addPoint", unreadable});
    harness.call(calls + QVector<PageCall>{{"addPoint", {"48.1", "11.5"}}, {"addPoint", {"-0", "12"}}, {"addPline", {}},
                                           {"moveMyPosition", {"48.2", "11.6"}}, {"moveMyPosition", {"north", "east"}}});
    QJsonObject state = harness.mapState();
    ASSERT_EQ(state["line"].toArray().size(), 2);
    EXPECT_TRUE(at(state["line"][0], {48.1, 11.5}) && at(state["line"][1], {0.0, 12.0}));
    EXPECT_TRUE(at(state["vehicle"], {48.2, 11.6}));
    expectLinesAnswered(1);

    // One line through every point, the vehicle at the start, all of it in view.
    const std::vector<LatLon> points = drive(400);
    harness.call(loadCalls(points, baidu()));
    state = harness.mapState();
    const QJsonArray line = state["line"].toArray();
    ASSERT_EQ(line.size(), int(points.size()));
    for (int i = 0; i < line.size(); ++i) {
        EXPECT_TRUE(at(line[i], points[i])) << i;
        ASSERT_TRUE(inView(state, points[i])) << i;
    }
    EXPECT_TRUE(at(state["vehicle"], points[0]));
    EXPECT_EQ(drawnPaths(), 1);
    expectLinesAnswered(2);
    harness.saveScreenshot(QStringLiteral("%1-track").arg(GetParam()));

    // The next load replaces the line rather than adding to it.
    harness.call(loadCalls(drive(3), baidu()));
    EXPECT_EQ(harness.mapState()["line"].toArray().size(), 3);
    EXPECT_EQ(drawnPaths(), 1);
    expectLinesAnswered(3);

    harness.call({{"clearPoints", {}}, {"add", {"1", "2"}}});
    state = harness.mapState();
    EXPECT_TRUE(state["line"].isNull() && state["vehicle"].isNull());
    EXPECT_EQ(state["vertices"].toInt(), 0);
    EXPECT_EQ(drawnPaths(), 0);
    // A load whose points all failed still tells the player the line is done.
    harness.call({{"clearPoints", {}}, {"addPline", {}}});
    EXPECT_TRUE(harness.mapState()["line"].isNull());
    expectLinesAnswered(4);
}

// Ticks move the vehicle and keep it centred until the user pans or zooms;
// the follow control brings the view back to the vehicle.
TEST_P(MapPageTest, TheMapFollowsTheVehicleUntilTheUserMovesIt)
{
    harness.call(loadCalls(drive(50), baidu()));
    const auto tick = [&](LatLon p) {
        const QJsonArray at{NumberText(p.lat), NumberText(p.lon)};
        harness.call({{"moveMyPosition", at}, {"setCenter", at}});
    };
    const auto click = [&](const char* selector) {
        return harness.evaluate(QStringLiteral("document.querySelector('%1').click(), true").arg(selector)).toBool();
    };
    tick({48.14, 11.58});
    EXPECT_EQ(latLon(harness.mapState()["vehicle"]).lat, 48.14);
    EXPECT_TRUE(harness.waitFor([&] { return centredOn(harness.mapState(), {48.14, 11.58}); }));

    const double zoom = harness.mapState()["zoom"].toDouble();
    ASSERT_TRUE(click(".leaflet-control-zoom-out"));
    ASSERT_TRUE(harness.waitFor([&] { return harness.mapState()["zoom"].toDouble() == zoom - 1; }));
    tick({48.141, 11.582});
    QTest::qWait(500); // a pan, were one coming, would have begun
    EXPECT_FALSE(harness.mapState()["following"].toBool());
    EXPECT_TRUE(centredOn(harness.mapState(), {48.14, 11.58}));

    ASSERT_TRUE(click(".kolvar-follow"));
    EXPECT_TRUE(harness.waitFor([&] { return centredOn(harness.mapState(), {48.141, 11.582}); }));
    EXPECT_EQ(harness.mapState()["zoom"].toDouble(), zoom - 1);
}

// Where the drawn line passes a fraction of its length along, in view pixels.
QPoint pointOfLine(PageHarness& harness, double fraction)
{
    const QJsonArray xy = harness.evaluate(QStringLiteral("(() => { const path = document.querySelector('.leaflet-overlay-pane path');"
                                                          " const p = path.getPointAtLength(path.getTotalLength() * %1)"
                                                          ".matrixTransform(path.getScreenCTM()); return [p.x, p.y]; })()")
                                               .arg(fraction)).toJsonArray();
    return QPoint(qRound(xy[0].toDouble()), qRound(xy[1].toDouble()));
}

// The degree-plane distance from p to the nearest vertex of the drive, and that vertex's index.
std::pair<double, size_t> nearestVertex(const std::vector<LatLon>& drive, LatLon p)
{
    std::pair<double, size_t> best{INFINITY, 0};
    for (size_t i = 0; i < drive.size(); ++i)
        best = std::min(best, {std::hypot(drive[i].lon - p.lon, drive[i].lat - p.lat), i});
    return best;
}

// The Baidu page shifts China to GCJ-02, line and vehicle alike; a click on
// the line still reports where it fell in the drive's own coordinates, and a
// click away from the line reports nothing.
TEST_P(MapPageTest, ChinaIsShiftedOnTheBaiduPageAndClicksReportTheDrivesOwnPlace)
{
    const LatLon beijing{39.915, 116.404}, paris{48.8584, 2.2945}, tokyo{35.6762, 139.6503};
    // The figure published with the common implementations for this point.
    const LatLon beijingGcj{39.91640428150164, 116.41024449916938};
    harness.call(loadCalls({beijing, paris, tokyo}, true));
    const QJsonArray line = harness.mapState()["line"].toArray();
    ASSERT_EQ(line.size(), 3);
    EXPECT_TRUE(at(line[1], paris) && at(line[2], tokyo));
    for (const QJsonValue& shown : {QJsonValue(line[0]), harness.mapState().value("vehicle")}) {
        const LatLon expected = baidu() ? beijingGcj : beijing;
        EXPECT_NEAR(latLon(shown).lat, expected.lat, 1e-9);
        EXPECT_NEAR(latLon(shown).lon, expected.lon, 1e-9);
    }

    std::vector<LatLon> shenzhen;
    for (const LatLon& p : drive(300)) shenzhen.push_back({p.lat - 48.137 + 22.54, p.lon - 11.575 + 114.05});
    harness.call(loadCalls(shenzhen, true));
    const double degreesPerPixel = 360.0 / (256.0 * std::exp2(harness.mapState()["zoom"].toDouble()));
    harness.click(QPoint(5, 595));
    harness.click(pointOfLine(harness, 0.6));
    ASSERT_TRUE(harness.waitFor([&] { return !harness.trackClicks.isEmpty(); }));
    ASSERT_EQ(harness.trackClicks.size(), 1);
    // Vertices lie 3 to 4 px apart: the nearest is within 2 px of the line, plus the click's own 2 px.
    const auto [distance, vertex] = nearestVertex(shenzhen, {harness.trackClicks[0].x(), harness.trackClicks[0].y()});
    EXPECT_LT(distance, 4 * degreesPerPixel);
    // Well inside the drive, as 0.6 of the line's length is.
    EXPECT_TRUE(vertex > 60 && vertex < 280) << vertex;
}

INSTANTIATE_TEST_SUITE_P(Pages, MapPageTest, testing::Values("GoogleMap", "BaiduMap"));

} // namespace
