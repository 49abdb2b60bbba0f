#pragma once

#include "ByteSource.h"
#include "Mp4Movie.h"
#include "Mp4SampleTable.h"

#include <cstdint>
#include <vector>

// What a track's fragments build on: the movie's defaults (mvex/trex) and the
// decoding time where its samples so far end.
struct Mp4FragmentedTrack {
    Mp4Track* track;
    uint32_t defaultDuration = 0;
    uint32_t defaultSize = 0;
    uint64_t nextDecodeTime = 0;
};

// Takes each track's sample defaults from the movie-extends atom.
void ReadMp4TrackExtends(ByteSource& source, const Mp4AtomRef& movieExtends, std::vector<Mp4FragmentedTrack>& tracks);

// Appends the samples of one movie fragment (moof, its header starting at
// moofStart) to the tracks it names; fragments of other tracks are skipped.
void ReadMp4MovieFragment(ByteSource& source, const Mp4AtomRef& moof, int64_t moofStart, int64_t fileSize,
                          std::vector<Mp4FragmentedTrack>& tracks, Mp4SampleBudget& budget);
