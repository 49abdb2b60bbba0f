#include "ChunkedMovie.h"

namespace mov {

namespace {

constexpr size_t kHeaderSize = 8;

std::string Zeros(size_t count) { return std::string(count, '\0'); }

std::string BE64(uint64_t value) { return BE32(uint32_t(value >> 32)) + BE32(uint32_t(value)); }

std::string FullAtom(std::string_view type, const std::string& payload) { return Atom(type, BE32(0) + payload); }

std::string Stsd(std::string_view format) { return FullAtom("stsd", BE32(1) + Atom(format, Zeros(8))); }

// Runs of chunks with the same sample count: one entry where the count changes.
std::string Stsc(const ChunkedTrack& track) {
    std::string entries;
    uint32_t runs = 0;
    for (size_t chunk = 0; chunk < track.chunks.size(); ++chunk) {
        if (chunk > 0 && track.chunks[chunk].size() == track.chunks[chunk - 1].size()) continue;
        entries += BE32(uint32_t(chunk + 1)) + BE32(uint32_t(track.chunks[chunk].size())) + BE32(1);
        ++runs;
    }
    return FullAtom("stsc", BE32(runs) + entries);
}

std::string TrackAtom(const ChunkedTrack& track, uint32_t id, const std::string& sampleTables) {
    const std::string mdhd = FullAtom("mdhd", Zeros(8) + BE32(track.timescale) + Zeros(8));
    const std::string minf = Atom("minf", Atom("stbl", Stsd(track.format) + sampleTables));
    const std::string mdia = Atom("mdia", mdhd + Hdlr(track.handler) + minf);
    return Atom("trak", FullAtom("tkhd", Zeros(8) + BE32(id) + Zeros(68)) + mdia);
}

// Calls visit(track, chunk) in mdat order: chunk k of every track, then chunk k + 1.
void InMdatOrder(const std::vector<ChunkedTrack>& tracks, const auto& visit) {
    for (size_t k = 0, left = 1; left > 0; ++k) {
        left = 0;
        for (size_t t = 0; t < tracks.size(); ++t)
            if (k < tracks[t].chunks.size()) ++left, visit(t, tracks[t].chunks[k]);
    }
}

std::string ChunkedMoov(const std::vector<ChunkedTrack>& tracks, ChunkedLayout layout, uint64_t offset) {
    std::vector<std::vector<uint64_t>> offsets(tracks.size());
    InMdatOrder(tracks, [&](size_t t, const std::vector<std::string>& chunk) {
        offsets[t].push_back(offset);
        for (const std::string& sample : chunk) offset += sample.size();
    });
    std::string payload = FullAtom("mvhd", Zeros(96));
    for (size_t t = 0; t < tracks.size(); ++t) {
        const ChunkedTrack& track = tracks[t];
        std::string sizes, chunkOffsets;
        uint32_t samples = 0;
        for (const auto& chunk : track.chunks)
            for (const std::string& sample : chunk) sizes += BE32(uint32_t(sample.size())), ++samples;
        if (layout.fixedSize) sizes = sizes.substr(0, 4);
        for (const uint64_t at : offsets[t]) chunkOffsets += layout.wideOffsets ? BE64(at) : BE32(uint32_t(at));
        const std::string stsz = layout.fixedSize ? FullAtom("stsz", sizes + BE32(samples))
                                                  : FullAtom("stsz", BE32(0) + BE32(samples) + sizes);
        const std::string stts = FullAtom("stts", BE32(1) + BE32(samples) + BE32(track.sampleDuration));
        const std::string stco =
            FullAtom(layout.wideOffsets ? "co64" : "stco", BE32(uint32_t(offsets[t].size())) + chunkOffsets);
        payload += TrackAtom(track, uint32_t(t + 1), stts + Stsc(track) + stsz + stco);
    }
    return Atom("moov", payload);
}

}  // namespace

std::string ChunkedMovie(const std::vector<ChunkedTrack>& tracks, ChunkedLayout layout) {
    std::string samples;
    InMdatOrder(tracks, [&](size_t, const std::vector<std::string>& chunk) {
        for (const std::string& sample : chunk) samples += sample;
    });
    const std::string ftyp = Ftyp(), mdat = Atom("mdat", samples);
    if (layout.moov == Layout::MoovLast) return ftyp + mdat + ChunkedMoov(tracks, layout, ftyp.size() + kHeaderSize);
    const size_t moovSize = ChunkedMoov(tracks, layout, 0).size();
    return ftyp + ChunkedMoov(tracks, layout, ftyp.size() + moovSize + kHeaderSize) + mdat;
}

}  // namespace mov
