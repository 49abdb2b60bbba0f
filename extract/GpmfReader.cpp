#include "GpmfReader.h"

#include "GpmfPayload.h"
#include "InputMovie.h"
#include "MetadataSamples.h"

namespace {

constexpr FourCC kGpmfFormat = MakeFourCC("gpmd");
constexpr double kMsPerSecond = 1000;

}  // namespace

bool RecogniseGpmf(const GPSProbe& probe) { return LooksLikeMp4(probe.head.data(), probe.head.size()); }

void ReadGpmf(const GPSInput& input, GPSData& out) {
    const std::optional<Mp4Movie> movie =
        ReadInputMovie(input, [](const Mp4Track& track) { return track.format == kGpmfFormat; });
    if (!movie) return;
    GpmfTelemetry telemetry;
    ForEachMetadataSample(input.source, *movie, kGpmfFormat, [&](const Mp4Sample& sample, const unsigned char* data) {
        DecodeGpmfPayload(data, sample.size, sample.time * kMsPerSecond, sample.duration * kMsPerSecond, telemetry);
        return !telemetry.truncated;
    });
    out.clock = GPSClock::UTC;
    AddTelemetry(GpmfFixes(telemetry), telemetry.accel, out);
    if (telemetry.truncated) out.truncated = true;
}
