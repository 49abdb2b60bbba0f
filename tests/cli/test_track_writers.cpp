#include "CalendarClock.h"
#include "CliTestSupport.h"
#include "CsvFormat.h"
#include "GeoJsonWriter.h"
#include "GpxWriter.h"
#include "TextEscape.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

// A built track whose clock starts, if withStart, on 15 June 2015 at 12:00:00 on the given clock.
TrackLoad Load(const std::vector<GPSPoint>& points, bool withStart = true, GPSClock clock = GPSClock::Local) {
    TrackLoad load;
    load.track = std::make_shared<GPSTrack>();
    for (const GPSPoint& p : points) load.track->addPoint(p.lat, p.lon, p.time, p.gsX, p.gsY, p.gsZ, p.speed);
    if (withStart) {
        load.track->setStartTime(*CalendarToTimePoint({2015, 6, 15, 12, 0, 0}, clock));
        load.hasStartTime = true;
        load.clock = clock;
    }
    load.track->buildSpeed();
    return load;
}

const std::vector<GPSPoint> kDrive = {
    GPSPoint::pointWithLat(22.5, 113.9, 0, 12, -3, 98, 18.52),
    GPSPoint::pointWithLat(22.501, 113.901, 1000, 13, -4, 97, 20),
    GPSPoint::pointWithLat(22.502, 113.9025, 2500, 11, -2, 99, 21.5),
};

TEST(TrackWriters, GpxIsValidAndGeoJsonHasItsShape) {
    const std::string total = std::to_string(Load(kDrive).track->getTotalDist());
    std::vector<GPSPoint> hostile = kDrive;
    for (const auto& [lat, lon, time] : {std::tuple(0.0000001, 180.0, 3000) /* tiny, 180 east */,
                                         {95.0, 10.0, 4000} /* no place on Earth */, {-12.0, -500.0, 5000},
                                         {1.0, 2.0, -7000} /* before the start */})
        hostile.push_back(GPSPoint::pointWithLat(lat, lon, time, 0, 0, 0, time == 3000 ? NAN : 0));
    const struct {
        bool gpx;
        TrackLoad load;
        std::string name;
        int offset;
        std::vector<std::string> present, absent;
    } cases[] = {
        {true, Load(kDrive), "clip.MOV", 0,
         {"<trkpt lat=\"22.5\" lon=\"113.9\">\n        <time>2015-06-15T12:00:00Z</time>",
          "<time>2015-06-15T12:00:02.500Z</time>", "<kolvar:speed>18.52</kolvar:speed>",
          "<kolvar:gsY>-3</kolvar:gsY>"}, {}},
        // A camera on the GPS clock gives true instants in any zone the exporter runs in; a
        // camera on local time gives its clock back as written, less the offset to UTC.
        {true, Load(kDrive, true, GPSClock::UTC), "clip.MOV", 0, {"<time>2015-06-15T12:00:02.500Z</time>"}, {}},
        {true, Load(kDrive), "clip.MOV", 8 * 60, {"<time>2015-06-15T04:00:00Z</time>"}, {}},
        {true, Load(kDrive), "clip.MOV", -(5 * 60 + 30), {"<time>2015-06-15T17:30:01Z</time>"}, {}},
        {true, Load(kDrive, false), "clip.MOV", 0, {"<trkpt"}, {"<time>"}},
        {true, Load(hostile), "a&b <\"c\"> \xFF\x01.MOV", 0,
         {"lat=\"0.0000001\" lon=\"-180\"", "<time>2015-06-15T11:59:53Z</time>",
          "<name>a&amp;b &lt;&quot;c&quot;&gt; \xEF\xBF\xBD\xEF\xBF\xBD.MOV</name>"},
         {"lat=\"95\"", "lon=\"-500\""}},
        {false, Load(kDrive), "clip.MOV", 60,
         {"\"type\": \"LineString\"", "[113.9, 22.5],\n          [113.901, 22.501]",
          "\"times\": [\"2015-06-15T11:00:00Z\", \"2015-06-15T11:00:01Z\", \"2015-06-15T11:00:02.500Z\"]",
          "\"speed_kmh\": [18.52, 20, 21.5]", "\"gs_z\": [98, 97, 99]", "\"dist_to_end_m\": [" + total + ","},
         {}},
        // One position is a Point, and numbers stay JSON.
        {false, Load({GPSPoint::pointWithLat(-33.85, 151.2, 0, 0, 0, 0, NAN)}, false), "say \"hi\"\n", 0,
         {"\"geometry\": {\"type\": \"Point\", \"coordinates\": [151.2, -33.85]}", "\"speed_kmh\": [null]",
          "\"times\": [null]", "\"name\": \"say \\\"hi\\\"\\n\""},
         {"nan"}},
        {false, Load({GPSPoint::pointWithLat(91, 0, 0, 0, 0, 0, 0)}), "clip.MOV", 0, {"\"geometry\": null"}, {}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        std::ostringstream out;
        if (c.gpx) WriteTrackGpx(out, c.load, {c.name, c.offset});
        else WriteTrackGeoJson(out, c.load, {c.name, c.offset});
        const std::string text = out.str();
        for (const std::string& s : c.present) EXPECT_NE(text.find(s), std::string::npos) << i << ": " << s << "\n" << text;
        for (const std::string& s : c.absent) EXPECT_EQ(text.find(s), std::string::npos) << i << ": " << s << "\n" << text;
        if (c.gpx) {
            EXPECT_EQ(text.find("<trkseg>"), text.rfind("<trkseg>")) << i;
            const ScopedTempDir dir;
            std::string report;
            EXPECT_TRUE(ValidatesAgainstGpxSchema(dir.write("track.gpx", text), report)) << i << report << text;
        }
    }
}

// CSV fields quote what would split them; XML and JSON texts turn invalid UTF-8 into replacement characters.
TEST(TextEscape, CsvFieldsQuoteWhatWouldSplitThem) {
    const std::string bad = "\xEF\xBF\xBD";
    const auto csv = [](std::string_view text) { return CsvField(std::string(text)); };
    const struct { std::string (*escape)(std::string_view); std::string text, escaped; } cases[] = {
        {csv, "clip.MOV", "clip.MOV"}, {csv, "a,b.MOV", "\"a,b.MOV\""}, {csv, "say \"hi\"", "\"say \"\"hi\"\"\""},
        {csv, "two\nlines", "\"two\nlines\""}, {csv, "cr\r", "\"cr\r\""}, {csv, "", ""},
        {XmlEscape, "caf\xC3\xA9", "caf\xC3\xA9"}, {XmlEscape, "\xC0\xAF" /* overlong '/' */, bad + bad},
        {XmlEscape, "\xED\xA0\x80" /* a surrogate */, bad + bad + bad}, {XmlEscape, "\xE2\x82" /* cut short */, bad + bad},
        {XmlEscape, "\xF0\x9F\x9A\x97", "\xF0\x9F\x9A\x97"}, {JsonString, {"a\0b\x1F", 4}, "\"a\\u0000b\\u001f\""}};
    for (const auto& c : cases) EXPECT_EQ(c.escape(c.text), c.escaped) << c.text;
    EXPECT_EQ(FormatRefLetter('S') + FormatRefLetter('\0') + FormatRefLetter(',') + FormatRefLetter('"'),
              "S\\x2c\\x22");
}

}  // namespace
