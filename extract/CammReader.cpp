#include "CammReader.h"

#include "CammPacket.h"
#include "MetadataSamples.h"
#include "InputMovie.h"

#include <cmath>

namespace {

constexpr FourCC kCammFormat = MakeFourCC("camm");
constexpr double kMsPerSecond = 1000;
// From the movie header's epoch, 1904-01-01, to 1970-01-01.
constexpr double kMsPer1904To1970 = 2082844800.0 * kMsPerSecond;

}  // namespace

bool RecogniseCamm(const GPSProbe& probe) { return LooksLikeMp4(probe.head.data(), probe.head.size()); }

void ReadCamm(const GPSInput& input, GPSData& out) {
    const std::optional<Mp4Movie> movie =
        ReadInputMovie(input, [](const Mp4Track& track) { return track.format == kCammFormat; });
    if (!movie) return;
    const double createdMs = movie->creationTime ? double(movie->creationTime) * kMsPerSecond - kMsPer1904To1970 : 0;
    std::vector<TelemetryFix> fixes;
    std::vector<AccelSample> accel;
    ForEachMetadataSample(input.source, *movie, kCammFormat, [&](const Mp4Sample& sample, const unsigned char* data) {
        const double clipMs = sample.time * kMsPerSecond;
        const CammSample timing{clipMs, createdMs != 0 ? std::llround(createdMs + clipMs) : 0};
        DecodeCammSample(data, sample.size, timing, fixes, accel);
        if (fixes.size() < GPSData::kMaxGPSRecords) return true;
        out.truncated = true;
        return false;
    });
    out.clock = GPSClock::UTC;
    AddTelemetry(fixes, accel, out);
}
