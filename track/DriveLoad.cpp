#include "DriveLoad.h"

#include "DriveTimeline.h"

Drive DriveOfOneClip(const std::string& path) {
    DriveClip clip;
    clip.path = path;
    clip.channel = ClipChannel(path);
    Drive drive;
    drive.channels.push_back({clip.channel, {clip}});
    return drive;
}

DriveLoad LoadDrive(Drive drive) {
    DriveLoad result;
    std::vector<TrackLoad> tracks;
    for (DriveClip& clip : drive.channels.front().clips) {
        tracks.push_back(LoadTrack(clip.path));
        if (!(clip.durationMs > 0)) clip.durationMs = DriveClipOf(clip.path, tracks.back()).durationMs;
    }
    for (size_t channel = 1; channel < drive.channels.size(); ++channel) {
        for (DriveClip& clip : drive.channels[channel].clips) {
            if (!(clip.durationMs > 0)) clip.durationMs = ReadDriveClip(clip.path).durationMs;
        }
    }
    if (tracks.size() == 1) {
        result.track = std::move(tracks.front());
    } else {
        result.track = JoinTracks(DriveTimeline(drive), tracks);
        if (!tracks.empty()) result.track.source = tracks.front().source;
        if (result.track.track->isEmpty() && !tracks.empty()) {
            const TrackLoad& first = tracks.front();
            result.track.status = first.status;
            result.track.dialect = first.dialect;
            result.track.reason = first.reason;
            result.track.lookedFor = first.lookedFor;
        }
    }
    result.drive = std::move(drive);
    return result;
}
