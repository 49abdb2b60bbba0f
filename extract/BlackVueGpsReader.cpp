#include "BlackVueGpsReader.h"

#include "BinaryFile.h"
#include "CalendarClock.h"
#include "NmeaSideFileReader.h"
#include "SiblingFile.h"

#include <algorithm>

namespace {

// A .3gf record: 0 time from the clip's start, uint32 ms; 4, 6, 8: the three
// axes, int16, 128 to the g. All big-endian.
constexpr size_t kAccelRecordSize = 10;
constexpr size_t kAxesOffset = 4;
constexpr double kHundredthsPerUnit = 100.0 / 128;
constexpr size_t kRecordsPerRead = 4096;
constexpr double kMsPerSecond = 1000;

double RecordMs(const GPSRecord& r) {
    return double(UtcMilliseconds(r.year, r.month, r.day, r.hour, r.minute, r.second, r.millisecond).value_or(0));
}

}  // namespace

bool RecogniseBlackVueGps(const GPSProbe& probe) { return RecogniseNmeaSideFile(probe); }

void ReadBlackVueAccel(ByteSource& source, GPSData& out) {
    std::vector<unsigned char> block(kAccelRecordSize * kRecordsPerRead);
    for (int64_t offset = 0;; offset += static_cast<int64_t>(block.size())) {
        const size_t read = source.readAt(offset, block.data(), block.size());
        for (size_t at = 0; at + kAccelRecordSize <= read; at += kAccelRecordSize) {
            const unsigned char* r = block.data() + at;
            const auto axis = [&](size_t k) {
                return static_cast<int16_t>(LoadBE16(r + kAxesOffset + 2 * k)) * kHundredthsPerUnit;
            };
            if (!out.addAccel({double(LoadBE32(r)), axis(0), axis(1), axis(2)})) return;
        }
        if (read < block.size()) return;
    }
}

void AverageAccelIntoRecords(GPSData& data) {
    if (data.records.empty()) return;
    const double clipStartMs = RecordMs(data.records.front());
    if (data.accel.empty()) return;
    std::vector<AccelSample> samples = data.accel;
    std::stable_sort(samples.begin(), samples.end(),
                     [](const AccelSample& a, const AccelSample& b) { return a.time < b.time; });
    for (size_t i = 0; i < data.records.size(); ++i) {
        const double from = RecordMs(data.records[i]) - clipStartMs;
        double to = from + kMsPerSecond;
        if (i + 1 < data.records.size()) to = std::min(to, RecordMs(data.records[i + 1]) - clipStartMs);
        auto it = std::lower_bound(samples.begin(), samples.end(), from,
                                   [](const AccelSample& s, double t) { return s.time < t; });
        double sum[3] = {0, 0, 0};
        int count = 0;
        for (; it != samples.end() && it->time < to; ++it, ++count) {
            sum[0] += it->x;
            sum[1] += it->y;
            sum[2] += it->z;
        }
        if (count == 0) continue;
        data.records[i].gsX = sum[0] / count;
        data.records[i].gsY = sum[1] / count;
        data.records[i].gsZ = sum[2] / count;
    }
}

void ReadBlackVueGps(const GPSInput& input, GPSData& out) {
    const std::optional<int64_t> clipStart = ReadNmeaLog(input.source, out);
    if (input.path.empty()) return;
    const std::optional<std::string> accelPath = FindSibling(input.path, {"3gf"});
    if (!accelPath) return;
    FileByteSource accel(*accelPath);
    ReadBlackVueAccel(accel, out);
    // The clip starts with the first stamped line, which carries the first fix;
    // the fixes are timed by the receiver's UTC clock, the .3gf by the stamps'.
    if (clipStart) AverageAccelIntoRecords(out);
}
