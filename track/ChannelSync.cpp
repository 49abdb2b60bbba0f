#include "ChannelSync.h"

#include <algorithm>

namespace {

std::vector<std::chrono::duration<double, std::milli>> StartsFrom(DriveClip::TimePoint origin,
                                                                  const std::vector<DriveClip>& clips) {
    std::vector<std::chrono::duration<double, std::milli>> starts;
    for (const DriveClip& clip : clips) starts.emplace_back(clip.start - origin);
    return starts;
}

}  // namespace

ChannelSync::ChannelSync(const Drive& drive, size_t otherChannel)
    : leadStarts(StartsFrom(drive.start, drive.clips())),
      otherStarts(StartsFrom(drive.start, drive.channels.at(otherChannel).clips)),
      lead(drive),
      other([&] {
          std::vector<double> durations;
          for (const DriveClip& clip : drive.channels.at(otherChannel).clips) durations.push_back(clip.durationMs);
          return DriveTimeline(durations);
      }()) {}

std::optional<double> ChannelSync::otherTime(double leadMs) const {
    const std::optional<DriveTimeline::ClipTime> at = lead.locate(leadMs);
    if (!at || other.clipCount() == 0) return std::nullopt;
    const double instant = leadStarts[at->clip].count() + at->offsetMs;
    // The last clip of the other channel starting at or before the instant.
    const auto next = std::upper_bound(otherStarts.begin(), otherStarts.end(), instant,
                                       [](double t, const auto& start) { return t < start.count(); });
    if (next == otherStarts.begin()) return std::nullopt;
    const size_t clip = static_cast<size_t>(next - otherStarts.begin()) - 1;
    const double offset = instant - otherStarts[clip].count();
    if (offset > other.clipDuration(clip)) return std::nullopt;
    return other.driveTime(clip, offset);
}
