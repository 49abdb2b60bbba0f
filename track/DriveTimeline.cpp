#include "DriveTimeline.h"

#include "TrackLoadBuilder.h"

#include <algorithm>
#include <cmath>

namespace {

double UsableDuration(double ms) { return std::isfinite(ms) && ms > 0 ? ms : 0; }

std::vector<double> LeadingDurations(const Drive& drive) {
    std::vector<double> durations;
    for (const DriveClip& clip : drive.clips()) durations.push_back(clip.durationMs);
    return durations;
}

}  // namespace

DriveTimeline::DriveTimeline(const std::vector<double>& clipDurationsMs) {
    clipStarts.reserve(clipDurationsMs.size());
    for (const double duration : clipDurationsMs) {
        clipStarts.push_back(total);
        total += UsableDuration(duration);
    }
}

DriveTimeline::DriveTimeline(const Drive& drive) : DriveTimeline(LeadingDurations(drive)) {}

double DriveTimeline::clipDuration(size_t clip) const {
    return (clip + 1 < clipStarts.size() ? clipStarts[clip + 1] : total) - clipStarts[clip];
}

std::optional<DriveTimeline::ClipTime> DriveTimeline::locate(double driveMs) const {
    if (clipStarts.empty()) return std::nullopt;
    if (!(driveMs > 0)) return ClipTime{0, 0};
    if (driveMs >= total) return ClipTime{clipStarts.size() - 1, clipDuration(clipStarts.size() - 1)};
    // The last clip starting at or before driveMs; clips of no duration before it are passed over.
    const size_t clip = std::upper_bound(clipStarts.begin(), clipStarts.end(), driveMs) - clipStarts.begin() - 1;
    return ClipTime{clip, driveMs - clipStarts[clip]};
}

double DriveTimeline::driveTime(size_t clip, double offsetMs) const {
    if (clip >= clipStarts.size()) return total;
    return clipStarts[clip] + std::clamp(std::isfinite(offsetMs) ? offsetMs : 0.0, 0.0, clipDuration(clip));
}

TrackLoad JoinTracks(const DriveTimeline& timeline, const std::vector<TrackLoad>& tracks) {
    TrackLoadBuilder builder(TrackSource::Embedded);
    std::optional<GPSClock> clock;
    double lastTime = 0;
    for (size_t clip = 0; clip < timeline.clipCount() && clip < tracks.size(); ++clip) {
        const TrackLoad& load = tracks[clip];
        if (!load.track || load.track->isEmpty()) continue;
        const double shift = timeline.clipStart(clip);
        if (!builder.hasStart() && load.hasStartTime) {
            using namespace std::chrono;
            builder.setStart(load.track->getStartTime() -
                             duration_cast<system_clock::duration>(duration<double, std::milli>(shift)));
        }
        if (!clock) clock = load.clock;
        const double clipEnd = shift + timeline.clipDuration(clip);
        for (const GPSPoint& p : load.track->pointArray()) {
            const double time = shift + p.time;
            if (!(time >= lastTime) || time > clipEnd) continue;
            lastTime = time;
            builder.addPointAt(p.lat, p.lon, time, p.gsX, p.gsY, p.gsZ, p.speed);
        }
    }
    TrackLoad joined = builder.finish();
    joined.clock = clock.value_or(GPSClock::Local);
    return joined;
}
