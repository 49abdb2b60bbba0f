#include "GPSTrack.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int kPoints = 10000;
constexpr double kTickMs = 400;

// A 10,000-second drive, one point a second, winding through a city.
GPSTrack Drive() {
    GPSTrack track;
    for (int i = 0; i < kPoints; ++i)
        track.addPoint(22.5 + 0.01 * std::sin(i / 300.0), 113.9 + 0.0001 * i, i * 1000.0,
                       static_cast<int16_t>(i % 50), 0, 100, 40 + 20 * std::sin(i / 60.0));
    return track;
}

void BM_BuildSpeed(benchmark::State& state) {
    GPSTrack track = Drive();
    for (auto _ : state) {
        track.buildSpeed();
        benchmark::DoNotOptimize(track.getTotalDist());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_BuildSpeed);

// One iteration is one timer tick of continuous playback.
void BM_GetPointPlayback(benchmark::State& state) {
    GPSTrack track = Drive();
    track.buildSpeed();
    const double end = track.pointArray().back().time;
    GPSPoint out;
    double t = 0;
    for (auto _ : state) {
        track.getPoint(t, out);
        benchmark::DoNotOptimize(out);
        t += kTickMs;
        if (t > end) t = 0;  // the user plays the clip again: one full search
    }
}
BENCHMARK(BM_GetPointPlayback);

// The views' lookup walks from the start; averaged over the whole clip.
void BM_GetIndex(benchmark::State& state) {
    GPSTrack track = Drive();
    track.buildSpeed();
    const double end = track.pointArray().back().time;
    double t = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(track.getIndex(t));
        t += kTickMs;
        if (t > end) t = 0;
    }
}
BENCHMARK(BM_GetIndex);

void BM_GetPointNearest(benchmark::State& state) {
    GPSTrack track = Drive();
    track.buildSpeed();
    GPSPoint out;
    int i = 0;
    for (auto _ : state) {
        const GPSPoint& p = track.pointArray()[i];
        track.getPoint(p.lat + 0.0003, p.lon - 0.0002, out);
        benchmark::DoNotOptimize(out);
        i = (i + 997) % kPoints;
    }
}
BENCHMARK(BM_GetPointNearest);

}  // namespace

BENCHMARK_MAIN();
