#include "TrackLoader.h"

#include "SideFile.h"
#include "TrackLoadBuilder.h"

namespace {

std::optional<std::chrono::system_clock::time_point> ComponentDate(std::string_view component) {
    const auto stamp = ReadSideFileTimestamp(component);
    return stamp ? CalendarToTimePoint(*stamp, GPSClock::Local) : std::nullopt;
}

}  // namespace

TrackLoad LoadSideFileTrack(const std::string& sideFilePath) {
    TrackLoadBuilder builder(TrackSource::SideFile);
    const auto text = ReadSideFileText(sideFilePath);
    if (!text) return builder.finish();

    for (const std::string_view component : SplitSideFileComponents(*text)) {
        // Whatever comes first gives the start time, a header line included.
        const auto date = ComponentDate(component);
        if (!builder.hasStart() && date) builder.setStart(*date);
        if (!IsRecordLine(component)) continue;

        const SideFileFix fix = ReadRecordLine(component);
        // Side files carry no speed.
        builder.addPoint(fix.lat, fix.lon, date, fix.gsX, fix.gsY, fix.gsZ, 0.0);
    }
    return builder.finish();
}
