#include "TrackLoader.h"

#include "CalendarClock.h"
#include "CutToInt.h"
#include "TrackLoadBuilder.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

constexpr double kKmhPerKnot = 1.852;

// Cut toward zero to 32 bits, then the low 16 bits as a signed value.
int16_t GSensorValue(double value) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(CutToInt32(value))));
}

std::optional<std::chrono::system_clock::time_point> RecordDate(const GPSRecord& r, GPSClock clock) {
    auto date = CalendarToTimePoint(RecordCalendar(r), clock);
    if (date && r.millisecond > 0 && r.millisecond < 1000) *date += std::chrono::milliseconds(r.millisecond);
    return date;
}

bool HasGSensorValues(const GPSRecord& r) { return r.gsX != 0 || r.gsY != 0 || r.gsZ != 0; }

// The sample nearest time (ms from the clip's start); accel is in time order.
const AccelSample& NearestSample(const std::vector<AccelSample>& accel, double time) {
    const auto after =
        std::lower_bound(accel.begin(), accel.end(), time, [](const AccelSample& s, double t) { return s.time < t; });
    if (after == accel.begin()) return *after;
    if (after == accel.end()) return accel.back();
    return time - std::prev(after)->time <= after->time - time ? *std::prev(after) : *after;
}

}  // namespace

TrackLoad BuildEmbeddedTrack(const GPSData& data) {
    TrackLoadBuilder builder(TrackSource::Embedded);
    const bool useAccel = !data.accel.empty() && std::none_of(data.records.begin(), data.records.end(), HasGSensorValues);
    for (const GPSRecord& r : data.records) {
        const auto date = RecordDate(r, data.clock);
        // The first record gives the start time whatever its letters.
        if (!builder.hasStart() && date) builder.setStart(*date);
        if (!IsValidRecord(r)) continue;
        const double lat = r.latRef == 'S' ? -r.lat : r.lat;
        const double lon = r.lonRef == 'W' ? -r.lon : r.lon;
        double gsX = r.gsX, gsY = r.gsY, gsZ = r.gsZ;
        if (useAccel) {
            const AccelSample& sample = NearestSample(data.accel, builder.nextPointTime(date));
            gsX = sample.x, gsY = sample.y, gsZ = sample.z;
        }
        builder.addPoint(lat, lon, date, GSensorValue(gsX), GSensorValue(gsY), GSensorValue(gsZ),
                         r.speed * kKmhPerKnot);
    }
    TrackLoad load = builder.finish();
    load.clock = data.clock;
    load.truncated = data.truncated;
    return load;
}

TrackLoad LoadEmbeddedTrack(const std::string& videoPath) {
    const GPSExtraction extraction = ExtractGPSData(videoPath);
    TrackLoad load = BuildEmbeddedTrack(extraction.data);
    load.status = extraction.status;
    if (extraction.reader) load.dialect = extraction.reader->id;
    load.reason = DescribeExtraction(extraction);
    for (const GPSReader* reader : extraction.tried) load.lookedFor.emplace_back(reader->id);
    return load;
}
