#pragma once

#include "ByteSource.h"
#include "Mp4Movie.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// A shallow walk over the atoms of an ISO base media file, for dialects that
// keep their data in atoms of their own beside the movie: one header read per
// atom, so recognisers can afford it.
inline constexpr size_t kMaxTopLevelAtoms = 64;

struct IsoAtomList {
    std::vector<Mp4AtomRef> atoms;
    int64_t end = 0;  // where the walk stopped: the parent's end, or the first header that does not fit
};

// The atoms from offset to limit. A size of 1 takes the 64-bit size after the
// type, 0 runs to limit; a size below its header or beyond limit, a short read
// or maxAtoms atoms end the walk.
IsoAtomList ReadAtoms(ByteSource& source, int64_t offset, int64_t limit, size_t maxAtoms);

// The top-level atoms, when the file starts with one of the atoms every ISO
// file starts with; otherwise none.
IsoAtomList ReadTopLevelAtoms(ByteSource& source, size_t maxAtoms = kMaxTopLevelAtoms);

// The children of 'moov', when the file has one at the top level.
std::vector<Mp4AtomRef> ReadMovieChildren(ByteSource& source);

// Calls decode on each whole item of itemSize bytes in the atom's payload, a
// read at a time, while it returns true; a trailing part item is left.
template <typename Decode>
void ForEachAtomItem(ByteSource& source, const Mp4AtomRef& atom, size_t itemSize, Decode decode) {
    constexpr size_t kItemsPerRead = 4096;
    std::vector<unsigned char> buffer(itemSize * kItemsPerRead);
    const int64_t whole = atom.size / int64_t(itemSize) * int64_t(itemSize);
    for (int64_t done = 0; done < whole;) {
        const size_t chunk = size_t(std::min<int64_t>(whole - done, int64_t(buffer.size())));
        if (!source.readExactAt(atom.offset + done, buffer.data(), chunk)) return;
        for (size_t at = 0; at < chunk; at += itemSize) {
            if (!decode(buffer.data() + at)) return;
        }
        done += int64_t(chunk);
    }
}
