#include "TrackLoader.h"

#include "CutToInt.h"
#include "ExtractGPSRecords.h"
#include "LocalDateTime.h"
#include "TrackLoadBuilder.h"

#include <algorithm>
#include <vector>

namespace {

constexpr double kKmhPerKnot = 1.852;

// Cut toward zero to 32 bits, then the low 16 bits as a signed value.
int16_t GSensorValue(double value) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(CutToInt32(value))));
}

}  // namespace

TrackLoad BuildEmbeddedTrack(const GPSRecord* records, int32_t count) {
    TrackLoadBuilder builder(TrackSource::Embedded);
    count = std::clamp(count, 0, kMaxGPSRecords);
    for (int32_t i = 0; i < count; ++i) {
        const GPSRecord& r = records[i];
        const auto date =
            ParseLocalDateTime({r.year, r.month, r.day, r.hour, r.minute, r.second});
        // The first record gives the start time whatever its letters.
        if (!builder.hasStart() && date) builder.setStart(*date);
        if (!IsValidRecord(r)) continue;
        const double lat = r.latRef == 'S' ? -r.lat : r.lat;
        const double lon = r.lonRef == 'W' ? -r.lon : r.lon;
        builder.addPoint(lat, lon, date, GSensorValue(r.gsX), GSensorValue(r.gsY),
                         GSensorValue(r.gsZ), r.speed * kKmhPerKnot);
    }
    return builder.finish();
}

TrackLoad LoadEmbeddedTrack(const std::string& videoPath) {
    std::vector<GPSRecord> records(kMaxGPSRecords);
    int32_t count = 0;
    ExtractGPSRecords(videoPath.c_str(), records.data(), count);
    return BuildEmbeddedTrack(records.data(), count);
}
