#pragma once

#include "MovBuilder.h"

// Files laid out as muxers write them: samples grouped in chunks, located
// through stsc, stsz, stts and stco (or co64).
namespace mov {

struct ChunkedTrack {
    std::string handler;                          // "text", "sbtl", "vide", ...
    std::string format = "text";                  // the sample description's format
    std::vector<std::vector<std::string>> chunks;  // the samples of each chunk
    uint32_t timescale = 1000;
    uint32_t sampleDuration = 1000;  // in the timescale
};

struct ChunkedLayout {
    Layout moov = Layout::MoovSecond;
    bool wideOffsets = false;  // co64 instead of stco
    bool fixedSize = false;    // stsz gives one size for every sample (they must all be equal)
};

// The chunks of all tracks lie in mdat in turn: the first chunk of each track,
// then the second of each, as muxers interleave them.
std::string ChunkedMovie(const std::vector<ChunkedTrack>& tracks, ChunkedLayout layout = {});

}  // namespace mov
