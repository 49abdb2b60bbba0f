#include "JoinedExport.h"

#include "DriveTimeline.h"
#include "ExitStatus.h"
#include "FileCheck.h"
#include "GeoJsonWriter.h"
#include "GpxWriter.h"
#include "TrackCsv.h"
#include "TrackForCli.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

namespace {

struct JoinedClip {
    DriveClip clip;
    TrackLoad load;
};

std::string FileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

void WriteTrackAs(std::ostream& out, const TrackLoad& load, const TrackExportInfo& info, CliOptions::Format format) {
    switch (format) {
        case CliOptions::Format::Csv: WriteTrackCsv(out, *load.track); break;
        case CliOptions::Format::Gpx: WriteTrackGpx(out, load, info); break;
        case CliOptions::Format::GeoJson: WriteTrackGeoJson(out, load, info); break;
    }
}

int WriteJoinedDrive(std::ostream& out, const std::string& program, const CliOptions& options) {
    int status = kExitPrinted;
    std::vector<JoinedClip> clips;
    for (const std::string& path : options.files) {
        if (const auto reason = CannotOpenReason(path)) {
            status = std::max(status, ReportCannotOpen(program, path, *reason));
            continue;
        }
        TrackLoad load = LoadTrack(path);
        if (load.track->isEmpty()) status = std::max(status, ReportNoGPSData(program, path, load.reason));
        DriveClip clip = DriveClipOf(path, load);
        clips.push_back({std::move(clip), std::move(load)});
    }
    if (clips.empty()) return status;

    std::vector<DriveClip> times;
    for (const JoinedClip& c : clips) times.push_back(c.clip);
    PutOnGPSClock(times);
    for (size_t i = 0; i < clips.size(); ++i) clips[i].clip.start = times[i].start;
    // The front camera leads; the others' routes are the same road again.
    const CameraChannel lead = std::min_element(clips.begin(), clips.end(), [](const auto& a, const auto& b) {
                                   return a.clip.channel < b.clip.channel;
                               })->clip.channel;
    std::erase_if(clips, [&](const JoinedClip& c) {
        if (c.clip.channel == lead) return false;
        std::cerr << program << ": " << c.clip.path << ": a " << ChannelName(c.clip.channel)
                  << " clip, left out of the " << ChannelName(lead) << " drive\n";
        return true;
    });
    std::stable_sort(clips.begin(), clips.end(),
                     [](const JoinedClip& a, const JoinedClip& b) { return a.clip.start < b.clip.start; });

    std::vector<double> durations;
    std::vector<TrackLoad> tracks;
    for (JoinedClip& c : clips) {
        durations.push_back(c.clip.durationMs);
        tracks.push_back(std::move(c.load));
    }
    const TrackLoad joined = JoinTracks(DriveTimeline(durations), tracks);
    if (joined.track->isEmpty()) return std::max(status, kExitNoGPSData);
    std::string name = FileName(clips.front().clip.path);
    if (clips.size() > 1) name += " to " + FileName(clips.back().clip.path);
    WriteTrackAs(out, joined, {name, options.utcOffsetMinutes}, options.format);
    return status;
}
