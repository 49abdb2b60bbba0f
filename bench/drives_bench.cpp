#include "DriveTimeline.h"
#include "Drives.h"
#include "TrackLoadBuilder.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

// 2,000 one-minute clips from their names, front and rear, in drives of 25
// clips a day apart from each other: what a library shows its drives from.
void BM_GroupDrivesOf2000Clips(benchmark::State& state) {
    std::vector<std::string> names;
    for (int i = 0; i < 1000; ++i) {
        const int day = 1 + i / 25 % 28, month = 1 + i / 700, minute = i % 25;
        for (const char channel : {'F', 'R'}) {
            char name[64];
            std::snprintf(name, sizeof name, "/card/DCIM/Movie/2021_%02d%02d_12%02d00_%03d%c.MP4", month, day, minute,
                          i % 1000, channel);
            names.push_back(name);
        }
    }
    size_t drives = 0;
    for (auto _ : state) {
        std::vector<DriveClip> clips;
        clips.reserve(names.size());
        for (const std::string& name : names) {
            DriveClip clip;
            clip.path = name;
            clip.channel = ClipChannel(name);
            ClipTimeClues clues;
            clues.fileNameTime = CalendarToTimePoint(*FileNameDateTime(name), GPSClock::Local);
            clues.containerDurationS = 60;
            DecideClipTimes(clues, clip);
            clips.push_back(std::move(clip));
        }
        PutOnGPSClock(clips);
        const std::vector<Drive> grouped = GroupDrives(std::move(clips));
        drives = grouped.size();
        benchmark::DoNotOptimize(grouped.data());
    }
    state.counters["drives"] = static_cast<double>(drives);
}
BENCHMARK(BM_GroupDrivesOf2000Clips)->Unit(benchmark::kMillisecond);

// A three-hour drive: 180 one-minute clips of 60 fixes each, joined.
void BM_JoinThreeHourDrive(benchmark::State& state) {
    std::vector<TrackLoad> tracks;
    for (int clip = 0; clip < 180; ++clip) {
        TrackLoadBuilder builder(TrackSource::Embedded);
        builder.setStart(std::chrono::system_clock::time_point(std::chrono::seconds(1609502400 + 60 * clip)));
        for (int s = 0; s < 60; ++s) {
            const double step = clip * 60 + s;
            builder.addPointAt(22.5 + step * 1e-4, 113.9 + step * 5e-5, s * 1000.0, 1, 2, 98, 40);
        }
        tracks.push_back(builder.finish());
    }
    const DriveTimeline timeline(std::vector<double>(180, 60000));
    size_t points = 0;
    for (auto _ : state) {
        const TrackLoad joined = JoinTracks(timeline, tracks);
        points = joined.track->pointArray().size();
        benchmark::DoNotOptimize(joined.track.get());
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_JoinThreeHourDrive)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
