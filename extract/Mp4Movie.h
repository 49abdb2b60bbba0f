#pragma once

#include "BinaryFile.h"
#include "ByteSource.h"

#include <cstddef>
#include <cstdint>
#include <functional>
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
    // False when the tables give chunk offsets but no sample sizes (an empty
    // stsz): each chunk is then taken as one sample of unknown size 0.
    bool sizesKnown = true;
    // The media information came before the handler in the media atom, which
    // the first text-track readers walked whatever the handler said.
    bool mediaBeforeHandler = false;
    std::optional<Mp4AtomRef> sampleTable;  // its stbl atom, when it has one
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
    std::vector<int64_t> fragmentStarts;     // where each 'moof' atom starts, header included
    uint64_t creationTime = 0;  // mvhd, seconds since 1904-01-01 UTC; 0 when unknown
    double duration = 0;        // mvhd, seconds
    // True when the sample bound was reached and later samples were left out.
    bool truncated = false;

    // Memory bound on the samples listed over all tracks: 24 hours at 24 Hz.
    static constexpr size_t kMaxSamples = 24 * 3600 * 24;

    const Mp4AtomRef* findTopLevel(FourCC type) const;
    const Mp4AtomRef* findMovieChild(FourCC type) const;
    const Mp4AtomRef* findUserData(FourCC type) const;
};

// Decides from a track's identity (id, handler, format, timescale) whether its
// samples are listed; a reader that needs one track leaves the others' tables
// unread.
using Mp4TrackFilter = std::function<bool(const Mp4Track&)>;

// None when the source holds no movie atom among well-formed top-level atoms.
// Without a filter every track's samples are listed.
std::optional<Mp4Movie> ReadMp4Movie(ByteSource& source, const Mp4TrackFilter& wanted = {});

// The same in two steps, so the readers of one file share the first: the
// movie's atoms and its tracks' identities, no sample listed; then the
// samples of the wanted tracks of such an outline.
std::optional<Mp4Movie> ReadMp4Outline(ByteSource& source);
Mp4Movie ListMp4Samples(ByteSource& source, Mp4Movie outline, const Mp4TrackFilter& wanted = {});

// True when the first bytes are those of an ISO base media file: an 'ftyp',
// 'moov', 'mdat', 'free', 'skip' or 'wide' atom at offset 0.
bool LooksLikeMp4(const unsigned char* head, size_t size);
