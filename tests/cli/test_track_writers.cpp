#include "CliTestSupport.h"
#include "GeoJsonWriter.h"
#include "GpxWriter.h"
#include "LocalDateTime.h"
#include "TextEscape.h"
#include "TrackCsv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

// A built track whose clock starts on 15 June 2015 at 12:00:00 local time.
TrackLoad Load(const std::vector<GPSPoint>& points, bool withStart = true) {
    TrackLoad load;
    load.track = std::make_shared<GPSTrack>();
    for (const GPSPoint& p : points) load.track->addPoint(p.lat, p.lon, p.time, p.gsX, p.gsY, p.gsZ, p.speed);
    if (withStart) {
        load.track->setStartTime(*ParseLocalDateTime({2015, 6, 15, 12, 0, 0}));
        load.hasStartTime = true;
    }
    load.track->buildSpeed();
    return load;
}

const std::vector<GPSPoint> kDrive = {
    GPSPoint::pointWithLat(22.5, 113.9, 0, 12, -3, 98, 18.52),
    GPSPoint::pointWithLat(22.501, 113.901, 1000, 13, -4, 97, 20),
    GPSPoint::pointWithLat(22.502, 113.9025, 2500, 11, -2, 99, 21.5),
};

std::string Gpx(const TrackLoad& load, const std::string& name = "clip.MOV", int offset = 0) {
    std::ostringstream out;
    WriteTrackGpx(out, load, {name, offset});
    return out.str();
}

std::string GeoJson(const TrackLoad& load, const std::string& name = "clip.MOV", int offset = 0) {
    std::ostringstream out;
    WriteTrackGeoJson(out, load, {name, offset});
    return out.str();
}

void ExpectValidGpx(const std::string& gpx) {
    const ScopedTempDir dir;
    std::string report;
    EXPECT_TRUE(ValidatesAgainstGpxSchema(dir.write("track.gpx", gpx), report)) << report << gpx;
}

TEST(TrackCsv, OneLinePerPointInShortestForm) {
    std::ostringstream out;
    WriteTrackCsv(out, *Load(kDrive).track);
    const std::string csv = out.str();
    EXPECT_EQ(csv.substr(0, csv.find('\n')), kTrackCsvHeader);
    EXPECT_NE(csv.find("\n0,22.5,113.9,18.52,12,-3,98,0,"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\n2500,22.502,113.9025,21.5,11,-2,99,"), std::string::npos) << csv;
}

TEST(GpxWriter, ValidGpxWithUtcTimesAndKolvarExtensions) {
    const std::string gpx = Gpx(Load(kDrive));
    ExpectValidGpx(gpx);
    EXPECT_NE(gpx.find("<trkpt lat=\"22.5\" lon=\"113.9\">\n        <time>2015-06-15T12:00:00Z</time>"),
              std::string::npos);
    EXPECT_NE(gpx.find("<time>2015-06-15T12:00:02.500Z</time>"), std::string::npos);
    EXPECT_NE(gpx.find("<kolvar:speed>18.52</kolvar:speed>"), std::string::npos);
    EXPECT_NE(gpx.find("<kolvar:gsY>-3</kolvar:gsY>"), std::string::npos);
    EXPECT_EQ(gpx.find("<trkseg>"), gpx.rfind("<trkseg>"));
}

TEST(GpxWriter, UtcOffsetMovesTheCameraClockBackToUtc) {
    const std::string east = Gpx(Load(kDrive), "clip.MOV", 8 * 60);
    EXPECT_NE(east.find("<time>2015-06-15T04:00:00Z</time>"), std::string::npos);
    const std::string west = Gpx(Load(kDrive), "clip.MOV", -(5 * 60 + 30));
    EXPECT_NE(west.find("<time>2015-06-15T17:30:01Z</time>"), std::string::npos);
}

TEST(GpxWriter, HostileValuesStayValid) {
    std::vector<GPSPoint> points = kDrive;
    points.push_back(GPSPoint::pointWithLat(0.0000001, 180, 3000, 0, 0, 0, NAN));  // tiny, 180 east
    points.push_back(GPSPoint::pointWithLat(95, 10, 4000, 0, 0, 0, 0));            // no place on Earth
    points.push_back(GPSPoint::pointWithLat(-12, -500, 5000, 0, 0, 0, 0));
    points.push_back(GPSPoint::pointWithLat(1, 2, -7000, 0, 0, 0, 0));              // before the start
    const std::string gpx = Gpx(Load(points), "a&b <\"c\"> \xFF\x01.MOV");
    ExpectValidGpx(gpx);
    EXPECT_NE(gpx.find("lat=\"0.0000001\" lon=\"-180\""), std::string::npos) << gpx;
    EXPECT_EQ(gpx.find("lat=\"95\""), std::string::npos);
    EXPECT_EQ(gpx.find("lon=\"-500\""), std::string::npos);
    EXPECT_NE(gpx.find("<time>2015-06-15T11:59:53Z</time>"), std::string::npos);
    EXPECT_NE(gpx.find("<name>a&amp;b &lt;&quot;c&quot;&gt; \xEF\xBF\xBD\xEF\xBF\xBD.MOV</name>"),
              std::string::npos);
}

TEST(GpxWriter, TrackWithoutStartTimeHasNoTimes) {
    const std::string gpx = Gpx(Load(kDrive, false));
    ExpectValidGpx(gpx);
    EXPECT_EQ(gpx.find("<time>"), std::string::npos);
}

TEST(GeoJsonWriter, LineStringWithPerPointProperties) {
    const std::string json = GeoJson(Load(kDrive), "clip.MOV", 60);
    EXPECT_NE(json.find("\"type\": \"LineString\""), std::string::npos);
    EXPECT_NE(json.find("[113.9, 22.5],\n          [113.901, 22.501]"), std::string::npos) << json;
    EXPECT_NE(json.find("\"times\": [\"2015-06-15T11:00:00Z\", \"2015-06-15T11:00:01Z\", "
                        "\"2015-06-15T11:00:02.500Z\"]"),
              std::string::npos);
    EXPECT_NE(json.find("\"speed_kmh\": [18.52, 20, 21.5]"), std::string::npos);
    EXPECT_NE(json.find("\"gs_z\": [98, 97, 99]"), std::string::npos);
    EXPECT_NE(json.find("\"dist_to_end_m\": [" + std::to_string(Load(kDrive).track->getTotalDist())),
              std::string::npos);
}

TEST(GeoJsonWriter, OnePositionIsAPointAndNumbersStayJson) {
    const std::string json =
        GeoJson(Load({GPSPoint::pointWithLat(-33.85, 151.2, 0, 0, 0, 0, NAN)}, false), "say \"hi\"\n");
    EXPECT_NE(json.find("\"geometry\": {\"type\": \"Point\", \"coordinates\": [151.2, -33.85]}"),
              std::string::npos) << json;
    EXPECT_NE(json.find("\"speed_kmh\": [null]"), std::string::npos);
    EXPECT_NE(json.find("\"times\": [null]"), std::string::npos);
    EXPECT_NE(json.find("\"name\": \"say \\\"hi\\\"\\n\""), std::string::npos);
    EXPECT_EQ(json.find("nan"), std::string::npos);

    const std::string nowhere = GeoJson(Load({GPSPoint::pointWithLat(91, 0, 0, 0, 0, 0, 0)}));
    EXPECT_NE(nowhere.find("\"geometry\": null"), std::string::npos);
}

TEST(TextEscape, InvalidUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(XmlEscape("caf\xC3\xA9"), "caf\xC3\xA9");
    EXPECT_EQ(XmlEscape("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD");      // overlong '/'
    EXPECT_EQ(XmlEscape("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");  // a surrogate
    EXPECT_EQ(XmlEscape("\xE2\x82"), "\xEF\xBF\xBD\xEF\xBF\xBD");      // cut short
    EXPECT_EQ(XmlEscape("\xF0\x9F\x9A\x97"), "\xF0\x9F\x9A\x97");
    EXPECT_EQ(JsonString(std::string("a\0b\x1F", 4)), "\"a\\u0000b\\u001f\"");
}

}  // namespace
