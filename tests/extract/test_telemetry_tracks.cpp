#include "ByteSource.h"
#include "CammReader.h"
#include "GpmfReader.h"
#include "MovBuilder.h"
#include "TelemetryBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using namespace gpmf;

// Counts the bytes a reader asks for.
class CountingSource final : public ByteSource {
public:
    explicit CountingSource(std::string bytes) : bytes(std::move(bytes)) {}
    int64_t size() const override { return memory.size(); }
    size_t readAt(int64_t offset, void* buffer, size_t count) override {
        const size_t n = memory.readAt(offset, buffer, count);
        bytesRead += n;
        return n;
    }
    size_t bytesRead = 0;

private:
    std::string bytes;
    MemoryByteSource memory{bytes};
};

std::string GpmfPayload(const std::string& gpsTime) {
    return Nest("DEVC", Nest("STRM", Item("GPSF", 'L', 4, 1, BE32(3)) + Item("GPSU", 'U', 16, 1, gpsTime) +
                                         Longs("SCAL", 1, {10000000, 10000000, 1000, 1000, 100}) +
                                         Longs("GPS5", 5, {515000000, -1250000, 50000, 2000, 200})));
}

// 2023-05-06 01:00:00 UTC, and a second later, on the GPS clock (18 leap seconds ahead).
std::string CammSample(double secondsAfter) {
    return camm::Gps(1683334800.0 - 315964800 + 18 + secondsAfter, 3, 51.5, -0.125, 50, 0, 2);
}

TEST(TelemetryTracks, ReadOnlyTheirSamplesFromTheMovie) {
    struct Case {
        const char* name;
        mov::ChunkedTrack track;
        void (*read)(const GPSInput&, GPSData&);
        int firstSecond;
    };
    const Case cases[] = {
        {"GPMF", {"meta", "gpmd", {{GpmfPayload("230506010000.000")}, {GpmfPayload("230506010001.000")}}},
         ReadGpmf, 0},
        {"CAMM", {"camm", "camm", {{CammSample(0)}, {CammSample(1)}}}, ReadCamm, 0},
    };
    // A megabyte of video the readers must not touch.
    const mov::ChunkedTrack video{"vide", "avc1", {{std::string(1 << 20, 'v')}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CountingSource source(mov::ChunkedMovie({video, c.track}, {mov::Layout::MoovLast}));
        GPSData data;
        c.read(GPSInput{source, ""}, data);
        ASSERT_EQ(data.records.size(), 2u);
        EXPECT_EQ(data.clock, GPSClock::UTC);
        EXPECT_EQ(std::vector<int>({data.records[0].hour, data.records[0].second, data.records[1].second}),
                  std::vector<int>({1, c.firstSecond, c.firstSecond + 1}));
        EXPECT_EQ(std::string({data.records[0].latRef, data.records[0].lonRef}), "NW");
        EXPECT_LT(source.bytesRead, size_t{64 * 1024});
    }
}

}  // namespace
