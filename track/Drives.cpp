#include "Drives.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

using TimePoint = Drive::TimePoint;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr auto kQuarterHour = std::chrono::minutes(15);

bool StartsEarlier(const DriveClip& a, const DriveClip& b) {
    return a.start != b.start ? a.start < b.start : a.path < b.path;
}

Drive DriveOf(CameraChannel channel, std::vector<DriveClip> clips) {
    Drive drive;
    drive.start = clips.front().start;
    drive.end = drive.start;
    for (const DriveClip& clip : clips) drive.end = std::max(drive.end, clip.end());
    drive.channels.push_back({channel, std::move(clips)});
    return drive;
}

// Each channel's clips, in time order, cut wherever a clip starts more than
// the allowed gap after the end of the clips before it.
std::vector<Drive> SplitIntoRuns(std::vector<DriveClip> clips, CameraChannel channel) {
    std::sort(clips.begin(), clips.end(), StartsEarlier);
    std::vector<Drive> runs;
    std::vector<DriveClip> current;
    TimePoint reach;
    for (DriveClip& clip : clips) {
        if (!current.empty() && clip.start - reach > kDriveGap) {
            runs.push_back(DriveOf(channel, std::move(current)));
            current.clear();
        }
        reach = current.empty() ? clip.end() : std::max(reach, clip.end());
        current.push_back(std::move(clip));
    }
    if (!current.empty()) runs.push_back(DriveOf(channel, std::move(current)));
    return runs;
}

void Join(Drive& lead, Drive&& other) {
    ChannelClips& joining = other.channels.front();
    const auto same = std::find_if(lead.channels.begin(), lead.channels.end(),
                                   [&](const ChannelClips& c) { return c.channel == joining.channel; });
    if (same == lead.channels.end()) {
        lead.channels.push_back(std::move(joining));
    } else {
        same->clips.insert(same->clips.end(), joining.clips.begin(), joining.clips.end());
        std::sort(same->clips.begin(), same->clips.end(), StartsEarlier);
    }
    lead.start = std::min(lead.start, other.start);
    lead.end = std::max(lead.end, other.end);
}

void SumDistance(Drive& drive) {
    for (const DriveClip& clip : drive.clips()) {
        if (clip.distanceM) drive.distanceM = drive.distanceM.value_or(0) + *clip.distanceM;
    }
}

}  // namespace

double Drive::durationMs() const { return Milliseconds(end - start).count(); }

CalendarTime Drive::date() const { return LocalCalendar(start); }

void PutOnGPSClock(std::vector<DriveClip>& clips) {
    std::map<int64_t, int> quartersSeen;
    for (const DriveClip& clip : clips) {
        if (clip.timeSource != ClipTimeSource::GPS || !clip.fileNameTime) continue;
        const double apart = Milliseconds(clip.start - *clip.fileNameTime).count();
        const double quarter = Milliseconds(kQuarterHour).count();
        ++quartersSeen[static_cast<int64_t>(std::llround(apart / quarter))];
    }
    if (quartersSeen.empty()) return;
    const auto most = std::max_element(quartersSeen.begin(), quartersSeen.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    const auto offset = most->first * kQuarterHour;
    for (DriveClip& clip : clips) {
        if (clip.timeSource == ClipTimeSource::FileName) clip.start += offset;
    }
}

std::vector<Drive> GroupDrives(std::vector<DriveClip> clips) {
    std::map<CameraChannel, std::vector<DriveClip>> byChannel;
    for (DriveClip& clip : clips) byChannel[clip.channel].push_back(std::move(clip));

    std::vector<Drive> leads, others;
    for (auto& [channel, channelClips] : byChannel) {
        std::vector<Drive> runs = SplitIntoRuns(std::move(channelClips), channel);
        auto& into = channel == CameraChannel::Front ? leads : others;
        for (Drive& run : runs) into.push_back(std::move(run));
    }
    // The front runs are in time order and apart, so their ends rise too; the
    // spans are taken before any joining widens them.
    std::vector<std::pair<TimePoint, TimePoint>> spans;
    for (const Drive& lead : leads) spans.emplace_back(lead.start, lead.end);
    std::vector<Drive> alone;
    for (Drive& other : others) {
        std::optional<size_t> best;
        TimePoint::duration bestOverlap = TimePoint::duration::zero();
        size_t k = std::upper_bound(spans.begin(), spans.end(), other.end,
                                    [](TimePoint t, const auto& span) { return t < span.first; }) - spans.begin();
        while (k > 0 && spans[k - 1].second > other.start) {
            --k;
            const auto overlap = std::min(spans[k].second, other.end) - std::max(spans[k].first, other.start);
            if (!best || overlap > bestOverlap) best = k, bestOverlap = overlap;
        }
        if (best) {
            Join(leads[*best], std::move(other));
        } else {
            alone.push_back(std::move(other));
        }
    }
    for (Drive& drive : alone) leads.push_back(std::move(drive));
    for (Drive& drive : leads) SumDistance(drive);
    std::sort(leads.begin(), leads.end(), [](const Drive& a, const Drive& b) { return a.start > b.start; });
    return leads;
}
