// The camera dialects with atoms, trailers and side files of their own: one
// sample of each layout, built field by field, then cut and corrupted.
#include "AutoVoxTrailerReader.h"
#include "DialectBuilders.h"
#include "DjiSrtReader.h"
#include "Gps0AtomReader.h"
#include "GarminUuidReader.h"
#include "Insta360Reader.h"
#include "KenwoodUdtaReader.h"
#include "LittleEndianBytes.h"
#include "MovBuilder.h"
#include "SeventyMaiGpsReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace dialect;

struct DialectCase {
    const char* name;
    std::string bytes;
    const char* extension;
    bool (*recognise)(const GPSProbe&);
    void (*read)(const GPSInput&, GPSData&);
    size_t fixes;
    size_t accel;
    GPSClock clock;
    std::vector<int> firstTime;  // year .. second
    std::string firstRefs;
    std::vector<double> firstValues;  // lat, lon, speed (knots), then gsX, gsY, gsZ when given
    size_t slots = 0;  // fixes a corrupted sample may yield when a skipped slot turns valid; 0: fixes
};

constexpr double kKnotsPerKmh = 1 / 1.852;
const std::vector<int> kTime = {2023, 11, 14, 22, 13, 20};
constexpr uint32_t kUnixTime = 1700000000;  // 2023-11-14 22:13:20 UTC

std::string Insta360Clip() {
    const std::string fixes = Insta360Fix(kUnixTime, 'A', 22.5, 'N', 113.9, 'E', 10, 90, 12) +
                              Insta360Fix(kUnixTime + 1, 'V', 0, 'N', 0, 'E', 0, 0, 0) +
                              Insta360Fix(kUnixTime + 2, 'A', 22.5, 'N', 113.9, 'O', 10, 90, 12);
    return mov::Ftyp() + mov::Atom("mdat", "video") + Insta360Trailer({{0x101, "\x0A\x03X4 "}, {0x700, fixes}});
}

std::string Gps0Clip() {
    const std::vector<int> date = {23, 11, 14, 22, 13, 20};
    const std::string fixes = Gps0Fix(2230.0, -11354.0, 50, 36, date, 45) + Gps0Fix(99999, 0, 0, 0, date, 0) +
                              Gps0Fix(2230.0, -11354.0, 50, 36, date, 45);
    return mov::Ftyp() + mov::Atom("gps0", fixes) + mov::Atom("gsen", std::string("\x10\xF0\x08\x00\x00\x10\x01\x02\x03", 9)) +
           mov::Atom("mdat", "video");
}

std::string AutoVoxClip() {
    const std::vector<int> date = {123, 11, 14, 22, 13, 20};
    const std::string fixes = AutoVoxFix(2230.0, 11354.0, 12, date, 2, 2) + AutoVoxFix(2230.0, 11354.0, 12, date, 1, 1);
    const std::string samples = "AITS\x18\xE8\x0C\xFF" + LE32(200) + std::string("AITS\x00\x00\x18\xFF", 8) + LE32(400);
    return mov::Ftyp() + mov::Atom("moov", "") + mov::Atom("mdat", "video") +
           AutoVoxChunk("gpsa", std::string("\x01\x20\x00\x00\x08\x03\x02\x08", 8)) + AutoVoxChunk("gps0", fixes) +
           AutoVoxChunk("gsen", samples);
}

std::string GarminClip() {
    constexpr uint32_t kSince1904 = kUnixTime + 2082844800u;
    const std::string uuid = GarminUuidPayload(
        {GarminFix(kSince1904, 20, 1 << 28, -(1 << 30)), GarminFix(kSince1904 + 1, 20, 1 << 28, -(1 << 30))});
    return mov::Ftyp() + mov::Atom("moov", mov::Atom("mvhd", std::string(100, '\0')) + mov::Atom("uuid", uuid)) +
           mov::Atom("mdat", "video");
}

std::string KenwoodClip() {
    const std::string payload = KenwoodPayload({"20231114221320.20231114221320\x03N22300000E113540000+0050036+010-020+980",
                                                "20231114221321.20231114221321\x03S22300000W113540000", "garbage"});
    return mov::Ftyp() + mov::Atom("udta", payload) + mov::Atom("mdat", "video");
}

std::string SeventyMaiClip() {
    const std::string mvhd = mov::BE32(0) + mov::BE32(kUnixTime - 5 + 2082844800u) + std::string(92, '\0');
    const std::string fixes = SeventyMaiFix(5, 36000, 'N', 2230000, 'E', 11354000) +
                              SeventyMaiFix(6, 36000, 'S', 2230000, 'W', 11354000) + std::string(36, '\0') +
                              SeventyMaiFix(7, 36000, 'N', 2230000, 'E', 11354000);  // after the end mark
    return mov::Ftyp() + mov::Atom("moov", mov::Atom("mvhd", mvhd)) + mov::Atom("GPS ", fixes) +
           mov::Atom("mdat", "video");
}

std::string DjiSrt() {
    return "1\n00:00:00,000 --> 00:00:00,033\n<font size=\"28\">FrameCnt: 1, DiffTime: 33ms\n"
           "2023-11-14 22:13:20.123\n[iso: 100] [latitude: 22.5] [longitude: 113.9] [rel_alt: 1.2 abs_alt: 80.5] "
           "</font>\n\n2\n00:00:00,033 --> 00:00:00,066\n<font size=\"28\">FrameCnt: 2, DiffTime: 33ms\n"
           "2023-11-14 22:13:20,156,789\n[latitude : -22.5] [longtitude : 113.9] </font>\n";
}

std::vector<DialectCase> Cases() {
    return {
        {"insta360", Insta360Clip(), "INSV", RecogniseInsta360, ReadInsta360, 2, 0, GPSClock::UTC, kTime, "NE",
         {22.5, 113.9, 10 * 3.6 / 1.852}},
        {"gps0", Gps0Clip(), "MP4", RecogniseGps0Atom, ReadGps0Atom, 2, 3, GPSClock::UTC, kTime, "NW",
         {22.5, 113.9, 36 * kKnotsPerKmh}},
        {"autovox", AutoVoxClip(), "MP4", RecogniseAutoVoxTrailer, ReadAutoVoxTrailer, 2, 2, GPSClock::UTC, kTime,
         "SW", {22.5, 113.9, 12}},
        {"garmin", GarminClip(), "MP4", RecogniseGarminUuid, ReadGarminUuid, 2, 0, GPSClock::UTC, kTime, "NW",
         {22.5, 90, 20 * 1.609344 / 1.852}},
        {"kenwood", KenwoodClip(), "MP4", RecogniseKenwoodUdta, ReadKenwoodUdta, 2, 0, GPSClock::Local, kTime, "NE",
         {22.5, 113.9, 36 * kKnotsPerKmh, 1, -2, 98}},
        {"70mai", SeventyMaiClip(), "MP4", RecogniseSeventyMaiGps, ReadSeventyMaiGps, 2, 0, GPSClock::Local, kTime,
         "NE", {22.5, 113.9, 36 * kKnotsPerKmh}, 4},
        {"dji-srt", DjiSrt(), "SRT", RecogniseDjiSrt, ReadDjiSrt, 2, 0, GPSClock::Local, kTime, "NE",
         {22.5, 113.9, 0}},
    };
}

GPSData Read(const DialectCase& c, const std::string& bytes) {
    MemoryByteSource source(bytes);
    GPSData data;
    c.read(GPSInput{source, ""}, data);
    return data;
}

bool Recognised(const DialectCase& c, const std::string& bytes) {
    MemoryByteSource source(bytes);
    return c.recognise(GPSProbe::Of(source, std::string("clip.") + c.extension));
}

TEST(Dialects, EachSampleReadsAsBuilt) {
    for (const DialectCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(Recognised(c, c.bytes));
        const GPSData data = Read(c, c.bytes);
        ASSERT_EQ(data.records.size(), c.fixes);
        EXPECT_EQ(data.accel.size(), c.accel);
        EXPECT_EQ(data.clock, c.clock);
        const GPSRecord& r = data.records.front();
        EXPECT_EQ(std::vector<int>({r.year, r.month, r.day, r.hour, r.minute, r.second}), c.firstTime);
        EXPECT_EQ(std::string({r.latRef, r.lonRef}), c.firstRefs);
        const double got[] = {r.lat, r.lon, r.speed, r.gsX, r.gsY, r.gsZ};
        for (size_t i = 0; i < c.firstValues.size(); ++i) EXPECT_NEAR(got[i], c.firstValues[i], 1e-9) << "value " << i;
    }
}

TEST(Dialects, NoRecogniserClaimsAnotherDialect) {
    const std::vector<DialectCase> cases = Cases();
    for (const DialectCase& reader : cases) {
        for (const DialectCase& sample : cases) {
            if (&reader != &sample) {
                EXPECT_FALSE(Recognised(reader, sample.bytes)) << reader.name << " on " << sample.name;
            }
        }
    }
}

TEST(Dialects, SecondFixesCarryTheirOwnFields) {
    // What the first record cannot show: sub-second times, the other hemisphere letters, altitude.
    const std::vector<DialectCase> cases = Cases();
    EXPECT_EQ(Read(cases[0], cases[0].bytes).records[1].lonRef, 'W');  // 'O' (ouest) is west
    EXPECT_EQ(Read(cases[0], cases[0].bytes).records[0].altitude, 12);
    EXPECT_EQ(Read(cases[1], cases[1].bytes).accel[1].z, 16 * 100.0 / 16);
    EXPECT_EQ(Read(cases[2], cases[2].bytes).accel[0].x, 24 * 100.0 / 24);
    EXPECT_EQ(std::string({Read(cases[4], cases[4].bytes).records[1].latRef, Read(cases[4], cases[4].bytes).records[1].lonRef}), "SW");
    const GPSData dji = Read(cases[6], cases[6].bytes);
    EXPECT_EQ(dji.records[0].millisecond, 123);
    EXPECT_EQ(dji.records[0].altitude, 80.5);
    EXPECT_EQ(dji.records[1].millisecond, 156);
    EXPECT_EQ(dji.records[1].latRef, 'S');
}

// Cut at every byte, and every byte in turn set to 0xFF (lengths and counts
// become absurd): never more fixes than the sample holds, and under the
// sanitizers never a byte read outside the buffer.
TEST(Dialects, CutAndCorruptedSamplesStayBounded) {
    for (const DialectCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        for (size_t length = 0; length < c.bytes.size(); ++length) {
            const std::string cut = c.bytes.substr(0, length);
            Recognised(c, cut);
            EXPECT_LE(Read(c, cut).records.size(), c.fixes) << "cut at " << length;
        }
        for (size_t at = 0; at < c.bytes.size(); ++at) {
            std::string corrupt = c.bytes;
            corrupt[at] = '\xFF';
            Recognised(c, corrupt);
            EXPECT_LE(Read(c, corrupt).records.size(), std::max(c.fixes, c.slots)) << "0xFF at " << at;
        }
    }
}

}  // namespace
