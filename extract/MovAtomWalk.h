#pragma once

#include "BinaryFile.h"

#include <cstdint>
#include <optional>
#include <vector>

// The walk from the movie atom down to the chunk-offset tables of the text
// tracks, shared by the GPS text reader and the subtitle reader.
//
// The movie atom is looked for only as the second top-level atom. Every atom
// function is given its atom's extent, which its parent has checked to lie
// inside the parent: a child that claims more than its parent has left, a size
// below the 8-byte header (0 "to the end of the file" and 1 "64-bit size"
// included) or a short read ends the walk of that parent, so every walk ends
// and nothing outside the atom is decoded.
class MovAtomWalk {
public:
    explicit MovAtomWalk(BinaryFile& file) : file(file) {}

    // Chunk offsets of every track whose handler is "text", tracks in file
    // order, each track's table in its own order. Offsets are unsigned file
    // positions: one of 2 GiB or more lies in a large file, it is not negative.
    std::vector<uint32_t> ReadTextChunkOffsets();

private:
    struct Atom {
        FourCC type;
        int64_t start;  // of the header
        int64_t size;   // header included
        int64_t end() const { return start + size; }
    };

    std::optional<Atom> ReadAtomHeader(int64_t start, int64_t limit);
    // Calls visit on each child in turn while it returns true.
    template <typename Visit>
    void ForEachChild(const Atom& parent, Visit visit);

    void ReadMovieAtom(const Atom& movie);
    void ReadTrackAtom(const Atom& track);
    void ReadMediaAtom(const Atom& media);
    bool IsTextHandler(const Atom& handler);
    void ReadMediaInformationAtom(const Atom& information);
    void ReadSampleTableAtom(const Atom& sampleTable);
    void ReadChunkOffsetAtom(const Atom& chunkOffsets);

    BinaryFile& file;
    std::vector<uint32_t> chunkOffsets;
};
