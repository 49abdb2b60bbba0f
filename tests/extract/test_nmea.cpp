#include "BlackVueFreeReader.h"
#include "BlackVueGpsReader.h"
#include "GpxSideFileReader.h"
#include "MovBuilder.h"
#include "NmeaParser.h"
#include "NmeaSideFileReader.h"
#include "NmeaTextTrackReader.h"
#include "ExtractTestSupport.h"
#include "SideFileBuilder.h"
#include "SiblingFile.h"
#include "TempFile.h"
#include "CalendarClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using namespace std::string_literals;

// "$" body "*hh" with the body's checksum.
std::string NmeaSentence(std::string_view body) {
    unsigned sum = 0;
    for (const char c : body) sum ^= static_cast<unsigned char>(c);
    char checksum[4];
    std::snprintf(checksum, sizeof checksum, "*%02X", sum);
    return "$" + std::string(body) + checksum;
}

// 2015-06-15 12:30:45 UTC.
constexpr int64_t kNoon30 = 1434371445000;
constexpr int64_t kDay = 86400000;
const double kLat = 22 + 34.5678 / 60, kLon = 113 + 54.321 / 60;

const std::string kRmc = NmeaSentence("GPRMC,123045.20,A,2234.5678,N,11354.3210,E,35.2,90.5,150615,,,A");
const std::string kGga = NmeaSentence("GNGGA,123045.20,2234.5678,N,11354.3210,E,1,08,0.9,45.3,M,0.0,M,,");

std::string Rmc(const std::string& time, const std::string& date, const std::string& position = "2234.5678,N,11354.3210,E",
                const std::string& status = "A") {
    return NmeaSentence("GPRMC," + time + "," + status + "," + position + ",0.0,,"s + date + ",,,A") + "\n";
}
std::string Gga(const std::string& time, const std::string& quality = "1") {
    return NmeaSentence("GPGGA," + time + ",2234.5678,N,11354.3210,E," + quality + ",08,0.9,12.0,M,,,,") + "\n";
}

GPSData Parse(const std::string& text) {
    GPSData data;
    NmeaParser parser(data);
    parser.readText(text);
    parser.finish();
    return data;
}

struct Fix {
    int64_t unixMs;
    std::string refs;
    double lat = kLat, lon = kLon;
};

void ExpectFixes(const GPSData& data, const std::vector<Fix>& fixes, const std::string& what) {
    ASSERT_EQ(data.records.size(), fixes.size()) << what;
    for (size_t i = 0; i < fixes.size(); ++i) {
        const GPSRecord& r = data.records[i];
        EXPECT_EQ(UtcMilliseconds(r.year, r.month, r.day, r.hour, r.minute, r.second, r.millisecond), fixes[i].unixMs) << what << " #" << i;
        EXPECT_EQ(std::string({r.latRef, r.lonRef}), fixes[i].refs) << what << " #" << i;
        if (IsValidRecord(r)) {
            EXPECT_NEAR(r.lat, fixes[i].lat, 1e-9) << what << " #" << i;
            EXPECT_NEAR(r.lon, fixes[i].lon, 1e-9) << what << " #" << i;
        }
    }
}

TEST(NmeaParser, SentencesMakeTheRightFixes) {
    const std::string none(2, '\0');
    std::string badChecksum = kRmc;
    badChecksum.back() = badChecksum.back() == '0' ? '1' : '0';
    const int64_t t = kNoon30 + 200;
    const struct { const char* what; std::string text; std::vector<Fix> fixes; } cases[] = {
        {"RMC and GGA of one time are one fix", kRmc + "\r\n" + kGga + "\r\n", {{t, "NE"}}},
        {"a bad checksum drops the sentence", badChecksum + "\n" + kGga, {}},
        {"a missing checksum is no fault", "$GPRMC,123045,A,2234.5678,N,11354.3210,E,1,,150615,,\n", {{kNoon30, "NE"}}},
        {"run together, CR only, other talkers", kRmc + Rmc("123046", "150615") + "\r" + NmeaSentence("BDGGA,123047,,,,,0"),
         {{t, "NE"}, {kNoon30 + 1000, "NE"}, {kNoon30 + 2000, none}}},
        {"south and west", Rmc("123045", "150615", "2234.5678,S,04312.0000,W"), {{kNoon30, "SW", kLat, 43.2}}},
        {"a void fix keeps its time", Rmc("123045", "150615", "2234.5678,N,11354.3210,E", "V"), {{kNoon30, none}}},
        {"an empty or broken position is no fix",
         Rmc("123045", "150615", ",N,11354.3210,E") + Rmc("123046", "150615", "2299.0000,N,11354.3210,E") +
             Rmc("123047", "150615", "2234.5678,X,11354.3210,E"),
         {{kNoon30, none}, {kNoon30 + 1000, none}, {kNoon30 + 2000, none}}},
        {"an RMC without date or time is dropped",
         NmeaSentence("GPRMC,123045,A,2234.5678,N,11354.3210,E,0.0") + "\n" + Rmc("", "150615") + Rmc("12:30:45", "150615"), {}},
        {"GGA quality 0 is no fix", Rmc("123045", "150615", ",,,", "V") + Gga("123045", "0"), {{kNoon30, none}}},
        {"fixes before the first date take it, the day before across midnight",
         Gga("235959") + Rmc("000000", "160615") + Gga("000001"),
         {{kNoon30 - 45045000 + kDay - 1000, "NE"}, {kNoon30 - 45045000 + kDay, "NE"}, {kNoon30 - 45045000 + kDay + 1000, "NE"}}},
        {"a fix after the last date rolls over midnight", Rmc("235959.5", "311215") + Gga("000000.5"),
         {{1451606399500, "NE"}, {1451606400500, "NE"}}},
        {"fixes that never get a date are dropped", Gga("120000") + Gga("120001"), {}},
    };
    for (const auto& c : cases) ExpectFixes(Parse(c.text), c.fixes, c.what);
}

// Whatever the bytes, the readers stop, read nothing outside the input and
// give no more fixes than the whole file holds.
TEST(NmeaSideFiles, HostileInputs) {
    const std::string nmea = "[1434371445000]" + kRmc + "\n" + kGga + "\n$GSENSOR,1,2,3\n" + Rmc("123046", "150615");
    const std::string gpx = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">"
                            "<trk><trkseg>\n<trkpt lat=\"1\" lon=\"2\"><time>2015-06-15T12:30:44Z</time></trkpt>\n"
                            "<trkpt lat=\"1\" lon=\"2\"><time>2015-06-15T12:30:45Z</time></trkpt>\n</trkseg></trk></gpx>\n";
    std::mt19937 random(7);
    std::string garbage(1 << 16, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    const std::string huge = std::string(1 << 20, 'A') + "$" + std::string(1 << 20, ',') + "\n" + kRmc;
    const auto readNmea = [](const std::string& bytes) { return extract_test::ReadBytes(ReadNmeaSideFile, bytes).records.size(); };
    const auto readGpx = [](const std::string& bytes) { return extract_test::ReadBytes(ReadGpxSideFile, bytes).records.size(); };
    EXPECT_EQ(readNmea(huge), 1u) << "a sentence after a megabyte line still reads";
    EXPECT_EQ(readGpx("<trkpt " + std::string(1 << 20, ' ') + gpx), 2u);
    EXPECT_LE(readNmea(garbage), garbage.size());
    EXPECT_EQ(readGpx(garbage), 0u);
    MemoryByteSource accel(garbage);
    GPSData accelData;
    ReadBlackVueAccel(accel, accelData);
    EXPECT_EQ(accelData.accel.size(), garbage.size() / 10);
    for (size_t n = 0; n <= nmea.size(); ++n) EXPECT_LE(readNmea(nmea.substr(0, n)), 2u) << n;
    for (size_t n = 0; n <= gpx.size(); ++n) EXPECT_LE(readGpx(gpx.substr(0, n)), 2u) << n;
    EXPECT_EQ(readNmea(nmea), 2u);
    EXPECT_EQ(readGpx(gpx), 2u);
}

}  // namespace
