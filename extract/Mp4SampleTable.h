#pragma once

#include "ByteSource.h"
#include "Mp4Movie.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// How many more samples the movie may list; truncated once one was refused.
struct Mp4SampleBudget {
    size_t left = Mp4Movie::kMaxSamples;
    bool truncated = false;

    bool add(Mp4Track& track, const Mp4Sample& sample);
};

// The entries of a full-atom table whose 32-bit count stands at countOffset,
// entries right after it; at most maxEntries of them. Empty when the count
// claims more than the atom holds: nothing of a corrupt table is trusted.
std::vector<unsigned char> ReadMp4TableEntries(ByteSource& source, const Mp4AtomRef& table, int64_t countOffset,
                                               size_t entrySize, size_t maxEntries);

// Appends the samples the sample table (stbl) describes to track, and returns
// the decoding time at their end in the track's timescale. A sample that runs
// past fileSize is kept, to be found cut, but ends its chunk.
uint64_t ReadMp4SampleTable(ByteSource& source, const Mp4AtomRef& sampleTable, int64_t fileSize,
                            Mp4SampleBudget& budget, Mp4Track& track);

// Bytes [begin, end) of a file.
struct Mp4ByteRange {
    int64_t begin;
    int64_t end;
};

// Appends where the samples of each chunk lie, one range per chunk with
// samples. False when the tables give no sample sizes or a chunk runs past
// fileSize: the ranges then say nothing sure about the file.
bool ReadMp4ChunkRanges(ByteSource& source, const Mp4AtomRef& sampleTable, int64_t fileSize,
                        std::vector<Mp4ByteRange>& ranges);

// Seconds of a time in a track's timescale; 0 without a timescale.
double Mp4Seconds(uint64_t units, uint32_t timescale);
