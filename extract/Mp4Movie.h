#pragma once

#include "BinaryFile.h"
#include "ByteSource.h"

#include <cstdint>
#include <optional>
#include <vector>

// Where one atom's payload lies in the file (after its header).
struct Mp4AtomRef {
    FourCC type;
    int64_t offset;  // first byte after the header
    int64_t size;    // payload bytes
};

// One sample of a track: where its bytes are and when it plays.
struct Mp4Sample {
    int64_t offset;
    uint32_t size;
    double time;      // seconds from the start of the track's media
    double duration;  // seconds
};

struct Mp4Track {
    uint32_t trackId = 0;
    FourCC handler = 0;  // hdlr handler type: 'vide', 'soun', 'text', 'sbtl', 'subt', 'meta', 'camm', ...
    FourCC format = 0;   // the first sample description's format: 'tx3g', 'text', 'gpmd', 'camm', ...
    uint32_t timescale = 0;
    std::vector<Mp4Sample> samples;  // in decoding order, fragments included
};

// The structure of an ISO base media file (MOV, MP4, 3GP): its tracks with
// every sample located through stsc/stsz/stco/co64/stts and movie fragments,
// and the atoms some cameras keep their own data in. The movie atom is found
// wherever it lies at the top level. Every count is checked against what its
// atom holds before anything is allocated, and every atom against what its
// parent has left.
struct Mp4Movie {
    std::vector<Mp4AtomRef> topLevel;        // every top-level atom in file order
    std::vector<Mp4AtomRef> movieChildren;   // children of 'moov'
    std::vector<Mp4AtomRef> userData;        // children of 'moov'/'udta'
    std::vector<Mp4Track> tracks;            // in file order
    uint64_t creationTime = 0;  // mvhd, seconds since 1904-01-01 UTC; 0 when unknown
    double duration = 0;        // mvhd, seconds

    const Mp4AtomRef* findTopLevel(FourCC type) const;
    const Mp4AtomRef* findMovieChild(FourCC type) const;
    const Mp4AtomRef* findUserData(FourCC type) const;
};

// None when the source does not start like an ISO base media file or holds no movie atom.
std::optional<Mp4Movie> ReadMp4Movie(ByteSource& source);

// True when the first bytes are those of an ISO base media file: an 'ftyp',
// 'moov', 'mdat', 'free', 'skip' or 'wide' atom at offset 0.
bool LooksLikeMp4(const unsigned char* head, size_t size);
