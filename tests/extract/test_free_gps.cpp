#include "FreeGPS.h"
#include "FreeGPSIndexReader.h"
#include "FreeGPSScanReader.h"
#include "FreeGpsBuilder.h"
#include "GpsBlockBuilder.h"
#include "MovBuilder.h"
#include "MovGPSBlockScanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct LayoutCase {
    const char* camera;
    std::string box;
    std::vector<int> time;  // year, month, day, hour, minute, second
    std::string refs;       // the two letters, NULs for a record without a fix
    std::vector<double> values;  // lat, lon, speed in knots, gsX, gsY, gsZ
    GPSClock clock = GPSClock::UTC;
};

std::vector<LayoutCase> LayoutCases() {
    // 22 deg 34.5678 min N, 113 deg 54.321 min E
    const double lat = 22 + 34.5678 / 60, lon = 113 + 54.321 / 60;
    return {
        {"Novatek", FreeGpsBox().ints(0x30, {12, 30, 45, 15, 6, 15}).text(0x48, "ANE")
                        .floats(0x4c, {2234.5678f, 11354.321f, 35.25f}).floats(0x60, {12, -3, 98}).bytes(),
         {2015, 6, 15, 12, 30, 45}, "NE", {lat, lon, 35.25, 12, -3, 98}},
        {"Novatek before the first fix", FreeGpsBox().ints(0x30, {12, 30, 45}).text(0x48, "V").bytes(),
         {2000, 0, 0, 12, 30, 45}, std::string(2, '\0'), {0, 0, 0}},
        {"Transcend doubles", FreeGpsBox().ints(0x30, {12, 30, 45, 15, 6, 15}).text(0x48, "ASW")
                        .floats(0x4c, {2234.5678f, 11354.321f, 35.25f}).doubles(0x70, {2234.567812})
                        .doubles(0x80, {11354.321012}).bytes(),
         {2015, 6, 15, 12, 30, 45}, "SW", {22 + 34.567812 / 60, 113 + 54.321012 / 60, 35.25}},
        {"Viofo A119 V3", FreeGpsBox().ints(0x10, {8, 7, 24, 21, 3, 11}).text(0x28, "ANE")
                        .floats(0x2c, {2234.5678f, 11354.321f, 20.5f, 90}).ints(0x3c, {256, -128, 512}).bytes(),
         {2021, 3, 11, 8, 7, 24}, "NE", {lat, lon, 20.5, 100, -50, 200}},
        {"Kenwood, local time", FreeGpsBox().ints(0x10, {8, 7, 24, 2021, 3, 11}).text(0x28, "ANE")
                        .floats(0x2c, {2234.5678f, 11354.321f}).bytes(),
         {2021, 3, 11, 8, 7, 24}, "NE", {lat, lon}, GPSClock::Local},
        {"Akaso", FreeGpsBox().ints(0x30, {18, 47, 25}).text(0x3c, "A").floats(0x40, {2234.5678f}).text(0x44, "N")
                        .floats(0x48, {11354.321f}).text(0x4c, "E").floats(0x50, {18.52f})
                        .ints(0x58, {2020, 1, 12, 1000, -20, 30}).bytes(),
         {2020, 1, 12, 18, 47, 25}, "NE", {lat, lon, 10, 100, -2, 3}},
        {"Vantrue S1", FreeGpsBox().text(0x40, "ANE").ints(0x44, {21, 7, 2, 3, 53, 5})
                        .floats(0x5c, {11354.321f, 2234.5678f, 12.5f, 180, 35}).ints(0x70, {-10, 20, 990}).bytes(),
         {2021, 7, 2, 3, 53, 5}, "NE", {lat, lon, 12.5, -1, 2, 99}},
        {"Novatek doubles", FreeGpsBox().ints(0x30, {14, 2, 3}).text(0x3c, "A").doubles(0x40, {2234.5678})
                        .text(0x48, "S").doubles(0x50, {11354.321}).text(0x58, "W").doubles(0x60, {40.5, 270})
                        .ints(0x70, {17, 6, 10, 100, 200, -300}).bytes(),
         {2017, 6, 10, 14, 2, 3}, "SW", {lat, lon, 40.5, 10, 20, -30}},
        {"Vantrue N4", FreeGpsBox().ints(0x10, {13, 22, 30}).text(0x1c, "A").doubles(0x20, {2234.5678})
                        .text(0x28, "N").doubles(0x30, {11354.321}).text(0x38, "E").doubles(0x40, {22.519, 199.88})
                        .ints(0x50, {22, 12, 14, 50, 60, 1000}).bytes(),
         {2022, 12, 14, 13, 22, 30}, "NE", {lat, lon, 22.519, 5, 6, 100}},
        {"IQS, decimal degrees", FreeGpsBox().text(0x10, "IQS_A7").ints(0x30, {9, 8, 7, 17, 3, 29})
                        .text(0x48, "ANE").ints(0x4c, {225761300, 1139053500, 1852}).bytes(),
         {2017, 3, 29, 9, 8, 7}, "NE", {22.57613, 113.90535, 36}},
        {"Azdome, XOR-scrambled text",
         FreeGpsBox().text(18, std::string("\0\0XKZD\xfe\xfe", 8) + "20180924224928" + "\x0c" + "5567GP         " +
                                   "N22345678E113543210" + "00000037").text(18 + 173, "+093-003-005").scramble(18, 0xaa)
             .bytes(),
         {2018, 9, 24, 22, 49, 28}, "NE", {lat, lon, 37 / 1.852, 93, -3, -5}},
        {"LuckyChip, plain texts", FreeGpsBox().ints(0x10, {8, 34, 1, 24, 8, 16}).text(0x28, "ANE")
                        .text(0x2c, "2234.5678").text(0x40, "11354.3210").floats(0x54, {27.5f}).bytes(),
         {2024, 8, 16, 8, 34, 1}, "NE", {lat, lon, 27.5}},
        {"LuckyChip, first key", FreeGpsBox().ints(0x10, {8, 34, 1, 24, 8, 16}).text(0x28, "ANE")
                        .text(0x2c, "gNiiZ8JTtHca6tw=").text(0x40, "htuiZMJSsXUX7No=").bytes(),
         {2024, 8, 16, 8, 34, 1}, "NE", {43 + 42.726563 / 60, 20 + 41.674805 / 60}},
        {"LuckyChip, customer key", FreeGpsBox().ints(0x10, {8, 34, 1, 24, 8, 16}).text(0x28, "ASW")
                        .text(0x2c, "IEs1me6ImC9Z").text(0x40, "Ik0wkPKXnyxd4Q==").bytes(),
         {2024, 8, 16, 8, 34, 1}, "SW", {33 + 48.1234 / 60, 151 + 12.5 / 60}},
    };
}

TEST(FreeGPS, DecodesEachLayout) {
    for (const LayoutCase& c : LayoutCases()) {
        SCOPED_TRACE(c.camera);
        GPSData out;
        out.clock = GPSClock::UTC;
        const auto* box = reinterpret_cast<const unsigned char*>(c.box.data());
        ASSERT_TRUE(DecodeFreeGPS(box, c.box.size(), out));
        ASSERT_EQ(out.records.size(), 1u);
        const GPSRecord& r = out.records[0];
        EXPECT_EQ((std::vector<int>{r.year, r.month, r.day, r.hour, r.minute, r.second}), c.time);
        EXPECT_EQ(std::string({r.latRef, r.lonRef}), c.refs);
        const double got[] = {r.lat, r.lon, r.speed, r.gsX, r.gsY, r.gsZ};
        for (size_t i = 0; i < c.values.size(); ++i) EXPECT_NEAR(got[i], c.values[i], 2e-5) << "value " << i;
        EXPECT_EQ(out.clock, c.clock);
    }
}

// Every layout cut short gives no fix (and reads nothing past the cut); boxes
// that only look like a layout give nothing.
TEST(FreeGPS, RejectsShortAndForeignBoxes) {
    for (const LayoutCase& c : LayoutCases()) {
        for (size_t size = 0; size < 0x48; ++size) {
            GPSData out;
            DecodeFreeGPS(reinterpret_cast<const unsigned char*>(c.box.data()), size, out);
            for (const GPSRecord& r : out.records) EXPECT_FALSE(IsValidRecord(r)) << c.camera << " cut at " << size;
        }
    }
    const std::string wrongMonth = FreeGpsBox().ints(0x30, {12, 30, 45, 15, 13, 15}).text(0x48, "ANE").bytes();
    const std::string noLetters = FreeGpsBox().ints(0x30, {12, 30, 45, 15, 6, 15}).text(0x48, "AXE").bytes();
    for (const std::string& box : {wrongMonth, noLetters, FreeGpsBox().bytes()}) {
        GPSData out;
        EXPECT_FALSE(DecodeFreeGPS(reinterpret_cast<const unsigned char*>(box.data()), box.size(), out));
    }
}

// Boxes off the 32 KiB grid, one whose signature crosses the scan's first
// 256 KiB read; a file cut anywhere gives at most the boxes it holds whole and
// no fix from a cut one.
TEST(FreeGPS, ScanFindsBoxesAtAnyOffset) {
    const auto box = [](int second) {
        return FreeGpsBox(0x80).ints(0x30, {12, 30, second, 15, 6, 15}).text(0x48, "ANE")
            .floats(0x4c, {2234.5678f, 11354.321f}).bytes();
    };
    std::string file = mov::Ftyp();
    PlaceAt(file, 1001, box(1));
    constexpr size_t kAcrossRead = (size_t{1} << 18) - 7;
    PlaceAt(file, kAcrossRead, box(2));
    const auto read = [](const std::string& bytes) {
        MemoryByteSource source(bytes);
        GPSData out;
        ReadFreeGPSScan(GPSInput{source, ""}, out);
        return out;
    };
    const GPSData whole = read(file);
    ASSERT_EQ(whole.records.size(), 2u);
    EXPECT_EQ(whole.records[1].second, 2);
    EXPECT_EQ(whole.clock, GPSClock::UTC);
    const std::pair<size_t, size_t> cutsAndFixes[] = {
        {1001 + 0x50, 0}, {1001 + 0x80, 1}, {kAcrossRead + 0x20, 1}, {file.size() - 1, 2}};
    for (const auto& [cut, expected] : cutsAndFixes) {
        const GPSData out = read(file.substr(0, cut));
        size_t fixes = 0;
        for (const GPSRecord& r : out.records) fixes += IsValidRecord(r);
        EXPECT_EQ(fixes, expected) << "cut at " << cut;
    }
}

// The search tests many positions at once: a box is found at every position
// of a step, after look-alikes that match the two bytes it tests first.
TEST(FreeGPS, ScanFindsTheSignatureAtEveryPositionOfAStep) {
    const std::string box = FreeGpsBox(0x80).ints(0x30, {12, 30, 7, 15, 6, 15}).text(0x48, "ANE")
                                .floats(0x4c, {2234.5678f, 11354.321f}).bytes();
    for (size_t shift = 0; shift <= 64; ++shift) {
        const std::string file = mov::Ftyp() + std::string(shift, '\0') + "f...GPS." + "freeGPS!" + box;
        MemoryByteSource source(file);
        GPSData out;
        ReadFreeGPSScan(GPSInput{source, ""}, out);
        ASSERT_EQ(out.records.size(), 1u) << "shifted by " << shift;
        EXPECT_EQ(out.records[0].second, 7);
    }
}

// The index's hostile entries (past the end, into the box before, back to it
// again) are passed over; the boxes it lists are read, none other.
TEST(FreeGPS, IndexReadsListedBoxesOnly) {
    const auto box = [](int second) {
        return FreeGpsBox(0x80).ints(0x30, {12, 30, second, 15, 6, 15}).text(0x48, "ANE")
            .floats(0x4c, {2234.5678f, 11354.321f}).bytes();
    };
    const std::string head = mov::Ftyp();
    const uint32_t moovSize = 8 + 16 + 6 * 8;
    const uint32_t first = static_cast<uint32_t>(head.size()) + moovSize + 8;
    const std::string moov = mov::Atom("moov", FreeGpsIndexAtom({{first, 0x80}, {first + 0x40, 0x80}, {first, 0x80},
                                                                 {first + 0x100, 0x80}, {0xFFFFFF00, 0x80},
                                                                 {first + 0x100, 0x80}}));
    ASSERT_EQ(moov.size(), moovSize);
    // Three boxes; the one at 0x80 is not listed.
    const std::string file = head + moov + mov::Atom("mdat", box(1) + box(2) + box(3));
    MemoryByteSource source(file);
    GPSData out;
    ReadFreeGPSIndex(GPSInput{source, ""}, out);
    std::vector<int> seconds;
    for (const GPSRecord& r : out.records) seconds.push_back(r.second);
    EXPECT_EQ(seconds, (std::vector<int>{1, 3}));
}

// With a video track, the searches pass over its chunks: boxes and blocks
// beside the chunks are found, copies inside them are not. Tables that do not
// hold together (a chunk past the end, chunks that overlap, a chunk outside
// 'mdat') or that leave no box to find send the search over the whole file.
TEST(FreeGPS, SearchesPassOverMediaOnlyWhereTheTablesHoldTogether) {
    constexpr uint32_t kGrid = kGpsBlockAlignment, kChunk = 0x2000, kInChunk = 2 * kGrid - 0x100;
    const auto box = [](int second) {
        return FreeGpsBox(0x80).ints(0x30, {12, 30, second, 15, 6, 15}).text(0x48, "ANE")
            .floats(0x4c, {2234.5678f, 11354.321f}).bytes();
    };
    std::string mdat = mov::Ftyp() + mov::AtomHeader(3 * kGrid - 20, "mdat");
    for (const int second : {1, 2}) {
        PlaceAt(mdat, second * kGrid, GpsBlock(GpsBlockFix{.second = second}));
        PlaceAt(mdat, second * kGrid + 0x400, box(second));
    }
    mdat.resize(3 * kGrid);
    const auto seconds = [&](const std::vector<uint32_t>& chunks, uint32_t frameBytes, auto read) {
        const std::string file = mdat + mov::Atom("moov", mov::VideoTrak(chunks, 1, frameBytes));
        MemoryByteSource source(file);
        GPSData out;
        read(GPSInput{source, ""}, out);
        std::vector<int> found;
        for (const GPSRecord& r : out.records) found.push_back(r.second);
        return found;
    };
    struct Case {
        const char* tables;
        std::vector<uint32_t> chunks;
        std::vector<int> expected;
    };
    const Case cases[] = {{"sound", {kInChunk}, {1}},
                          {"past the end", {kInChunk, 0xFFFFFF00}, {1, 2}},
                          {"overlapping", {kInChunk, kInChunk + 0x100}, {1, 2}},
                          {"outside mdat", {kInChunk, 0}, {1, 2}}};
    for (const Case& c : cases) {
        EXPECT_EQ(seconds(c.chunks, kChunk, ReadFreeGPSScan), c.expected) << c.tables;
        EXPECT_EQ(seconds(c.chunks, kChunk, MovGPSBlockScanner::read), c.expected) << c.tables;
    }
    EXPECT_EQ(seconds({28}, 3 * kGrid - 28, ReadFreeGPSScan), (std::vector<int>{1, 2}));
}

}  // namespace
