#include "MetadataSamples.h"

#include <vector>

namespace {

// Samples that follow one another in the file are read together, up to this
// many bytes: a telemetry track often packs many small samples in a chunk.
constexpr int64_t kMaxJointRead = int64_t{1} << 20;

}  // namespace

void ForEachMetadataSample(ByteSource& source, const Mp4Movie& movie, FourCC format,
                           const std::function<bool(const Mp4Sample&, const unsigned char*)>& use) {
    const int64_t fileSize = source.size();
    const auto inFile = [fileSize](const Mp4Sample& s) {
        return s.offset >= 0 && s.offset <= fileSize && s.size <= fileSize - s.offset;
    };
    for (const Mp4Track& track : movie.tracks) {
        if (track.format != format) continue;
        std::vector<unsigned char> bytes;
        const std::vector<Mp4Sample>& samples = track.samples;
        for (size_t first = 0; first < samples.size();) {
            if (!inFile(samples[first])) {
                ++first;
                continue;
            }
            // The run of samples that lie end to end from this one.
            size_t last = first;
            int64_t end = samples[first].offset + samples[first].size;
            while (last + 1 < samples.size() && samples[last + 1].offset == end && inFile(samples[last + 1]) &&
                   end + samples[last + 1].size - samples[first].offset <= kMaxJointRead) {
                end += samples[++last].size;
            }
            bytes.resize(static_cast<size_t>(end - samples[first].offset));
            if (source.readExactAt(samples[first].offset, bytes.data(), bytes.size())) {
                for (size_t i = first; i <= last; ++i) {
                    if (!use(samples[i], bytes.data() + (samples[i].offset - samples[first].offset))) return;
                }
            } else {
                // Read on their own, the samples before an unreadable one still count.
                for (size_t i = first; i <= last; ++i) {
                    bytes.resize(samples[i].size);
                    if (!source.readExactAt(samples[i].offset, bytes.data(), bytes.size())) continue;
                    if (!use(samples[i], bytes.data())) return;
                }
            }
            first = last + 1;
        }
        return;
    }
}
