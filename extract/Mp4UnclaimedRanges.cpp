#include "Mp4UnclaimedRanges.h"

#include <algorithm>
#include <optional>

namespace {

constexpr FourCC kVideo = MakeFourCC("vide");
constexpr FourCC kSound = MakeFourCC("soun");
constexpr FourCC kMediaData = MakeFourCC("mdat");

// The media chunks, sorted and joined where they touch; none when a table
// lies about the file.
std::optional<std::vector<Mp4ByteRange>> MediaRanges(ByteSource& source, const Mp4Movie& movie) {
    std::vector<Mp4ByteRange> chunks;
    for (const Mp4Track& track : movie.tracks) {
        if ((track.handler != kVideo && track.handler != kSound) || !track.sampleTable) continue;
        if (!ReadMp4ChunkRanges(source, *track.sampleTable, source.size(), chunks)) return std::nullopt;
    }
    std::sort(chunks.begin(), chunks.end(),
              [](const Mp4ByteRange& a, const Mp4ByteRange& b) { return a.begin < b.begin; });
    std::vector<Mp4ByteRange> joined;
    for (const Mp4ByteRange& chunk : chunks) {
        if (!joined.empty() && chunk.begin < joined.back().end) return std::nullopt;
        if (!joined.empty() && chunk.begin == joined.back().end) joined.back().end = chunk.end;
        else joined.push_back(chunk);
    }
    return joined;
}

// Each media range within one top-level 'mdat'; both lists are in file order.
bool InsideMediaData(const std::vector<Mp4ByteRange>& media, const Mp4Movie& movie) {
    std::vector<Mp4ByteRange> data;
    for (const Mp4AtomRef& atom : movie.topLevel)
        if (atom.type == kMediaData) data.push_back({atom.offset, atom.offset + atom.size});
    size_t at = 0;
    for (const Mp4ByteRange& range : media) {
        while (at < data.size() && data[at].end <= range.begin) ++at;
        if (at == data.size() || range.begin < data[at].begin || range.end > data[at].end) return false;
    }
    return true;
}

}  // namespace

std::vector<Mp4ByteRange> ReadMp4UnclaimedRanges(ByteSource& source, const std::optional<Mp4Movie>& movie) {
    const std::vector<Mp4ByteRange> whole = {{0, source.size()}};
    if (!movie) return whole;
    const std::optional<std::vector<Mp4ByteRange>> media = MediaRanges(source, *movie);
    if (!media || !InsideMediaData(*media, *movie)) return whole;
    std::vector<Mp4ByteRange> unclaimed;
    int64_t from = 0;
    for (const Mp4ByteRange& range : *media) {
        if (range.begin > from) unclaimed.push_back({from, range.begin});
        from = range.end;
    }
    if (from < source.size()) unclaimed.push_back({from, source.size()});
    return unclaimed;
}
