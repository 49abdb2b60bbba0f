#include "MetadataSamples.h"

#include <vector>

void ForEachMetadataSample(ByteSource& source, const Mp4Movie& movie, FourCC format,
                           const std::function<bool(const Mp4Sample&, const unsigned char*)>& use) {
    const int64_t fileSize = source.size();
    for (const Mp4Track& track : movie.tracks) {
        if (track.format != format) continue;
        std::vector<unsigned char> bytes;
        for (const Mp4Sample& sample : track.samples) {
            if (sample.offset < 0 || sample.offset > fileSize || sample.size > fileSize - sample.offset) continue;
            bytes.resize(sample.size);
            if (!source.readExactAt(sample.offset, bytes.data(), bytes.size())) continue;
            if (!use(sample, bytes.data())) return;
        }
        return;
    }
}
