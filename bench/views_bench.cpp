// One update of each instrument, as the playback timer asks for it every
// 0.4 s, on a 10,000-point track with the playback time in its middle.
#include "DetailChart.h"
#include "DetailView.h"
#include "GSensorChart.h"
#include "GSensorView.h"
#include "InstrumentImage.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

constexpr int kPoints = 10000;
constexpr float kMiddle = kPoints / 2 * 1000.0f + 500;

std::shared_ptr<GPSTrack> DriveTrack() {
    auto track = std::make_shared<GPSTrack>();
    for (int i = 0; i < kPoints; ++i) {
        const auto g = [i](double period, double amplitude) {
            return static_cast<int16_t>(amplitude * std::sin(i / period));
        };
        track->addPoint(39.9 + i * 1e-4, 116.4 + i * 1e-4, i * 1000.0, g(7, 80), g(13, 40),
                        static_cast<int16_t>(98 + g(3, 20)), 40 + 20 * std::sin(i / 50.0));
    }
    track->buildSpeed();
    return track;
}

template <typename View>
void BM_Update(benchmark::State& state) {
    View view;
    view.imageView()->resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    view.setGPSTrack(DriveTrack());
    for (auto _ : state) view.showTime(kMiddle);
}

// The drawing alone, without handing the image to an image view.
template <void (*Paint)(Graphics&, const GPSTrack*, float)>
void BM_Paint(benchmark::State& state) {
    const auto track = DriveTrack();
    const QSizeF size(static_cast<double>(state.range(0)), static_cast<double>(state.range(1)));
    for (auto _ : state) benchmark::DoNotOptimize(renderInstrument(size, track.get(), kMiddle, Paint));
}

BENCHMARK(BM_Paint<paintGSensorChart>)->Args({352, 100})->Args({1200, 300})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Paint<paintDetailChart>)->Args({352, 100})->Args({1200, 300})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Update<GSensorView>)->Args({352, 100})->Args({1200, 300})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Update<DetailView>)->Args({352, 100})->Args({1200, 300})->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
