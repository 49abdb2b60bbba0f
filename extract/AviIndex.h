#pragma once

#include "BinaryFile.h"

#include <optional>
#include <vector>

// One chunk of a 'movi' list as the file's idx1 index lists it.
struct AviIndexedChunk {
    FourCC id;
    int64_t offset;  // of the chunk's header, from the start of the file
    int64_t size;    // of its data, without the pad byte
};

// The chunks of the movi list whose children span [moviStart, moviEnd),
// from the idx1 entries at [indexStart, indexStart + indexSize): only when
// the entries lie end to end from the list's first child past its end, as a
// walk over the list meets them. None for any other index (sub-lists, gaps,
// chunks missing, another list's offsets), which a reader must not trust.
std::optional<std::vector<AviIndexedChunk>> ReadMoviIndex(ByteSource& source, int64_t indexStart, int64_t indexSize,
                                                          int64_t moviStart, int64_t moviEnd);
