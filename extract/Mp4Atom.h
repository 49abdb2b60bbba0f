#pragma once

#include "ByteSource.h"
#include "Mp4Movie.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// Atom headers: 0 size (big-endian, header included), 4 type, then for size 1
// an 8-byte size at 8. Size 0 means "to the end of the file" and is only
// meaningful at the top level.
constexpr int64_t kMp4AtomHeaderSize = 8;
constexpr int64_t kMp4LargeAtomHeaderSize = 16;

inline uint64_t LoadBE64(const unsigned char* p) { return (uint64_t{LoadBE32(p)} << 32) | LoadBE32(p + 4); }

// The atom whose header starts at start and which must end by limit. None for
// a size below its header, one past limit, or a header that cannot be read.
std::optional<Mp4AtomRef> ReadMp4AtomHeader(ByteSource& source, int64_t start, int64_t limit, bool topLevel = false);

// The children of parent that follow the first skip payload bytes, up to the
// first one that is broken or leaves its parent.
std::vector<Mp4AtomRef> ReadMp4Children(ByteSource& source, const Mp4AtomRef& parent, int64_t skip = 0);

// The first count bytes of an atom's payload, fewer when it holds fewer or
// the source ends early.
std::vector<unsigned char> ReadMp4Payload(ByteSource& source, const Mp4AtomRef& atom, size_t count);
