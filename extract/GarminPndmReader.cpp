#include "GarminPndmReader.h"

#include "CalendarClock.h"
#include "DialectFields.h"
#include "MovRecognition.h"
#include "InputMovie.h"
#include "TextTrackSamples.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr FourCC kPndm = MakeFourCC("PNDM");
// Some writers put the sample's size before the tag.
constexpr size_t kSizeWord = 4;
constexpr size_t kFixSize = 20;
constexpr double kDegreesPerUnit = 180.0 / 2147483648.0;
constexpr double kMsPerSecond = 1000;

}  // namespace

bool DecodePndmSample(const unsigned char* p, size_t size, GPSRecord& r) {
    size_t at = 0;
    if (size >= kSizeWord + 4 && LoadBE32(p + kSizeWord) == kPndm) at = kSizeWord;
    if (size < at + kFixSize || LoadBE32(p + at) != kPndm) return false;
    r = GPSRecord{};
    SetSignedPosition(r, static_cast<int32_t>(LoadBE32(p + at + 12)) * kDegreesPerUnit,  // 12: latitude, int32, 2^31 to 180°
                      static_cast<int32_t>(LoadBE32(p + at + 16)) * kDegreesPerUnit);  // 16: longitude
    r.speed = LoadBE16(p + at + 8) * kKnotsPerMph;  // 8: speed, uint16, mph
    return true;
}

bool RecogniseGarminPndm(const GPSProbe& probe) { return IsMovFamily(probe); }

void ReadGarminPndm(const GPSInput& input, GPSData& out) {
    const std::optional<Mp4Movie> movie = ReadInputMovie(input, IsTextTrack);
    if (!movie || movie->creationTime <= uint64_t(kQuickTimeToUnixSeconds)) return;
    // The creation time is the camera's clock, local time.
    const double startMs = double(movie->creationTime - uint64_t(kQuickTimeToUnixSeconds)) * kMsPerSecond;
    for (const Mp4Track& track : movie->tracks) {
        if (!IsTextTrack(track)) continue;
        for (const Mp4Sample& sample : track.samples) {
            unsigned char bytes[kSizeWord + kFixSize];
            const size_t got = input.source.readAt(sample.offset, bytes, std::min<size_t>(sample.size, sizeof bytes));
            GPSRecord record;
            if (!DecodePndmSample(bytes, got, record)) continue;
            SetRecordUtc(record, static_cast<int64_t>(std::llround(startMs + sample.time * kMsPerSecond)));
            if (!out.add(record)) return;
        }
    }
}
