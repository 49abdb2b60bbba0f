#include "Mp4Atom.h"

#include <algorithm>

std::optional<Mp4AtomRef> ReadMp4AtomHeader(ByteSource& source, int64_t start, int64_t limit, bool topLevel) {
    unsigned char header[kMp4LargeAtomHeaderSize];
    if (start < 0 || limit - start < kMp4AtomHeaderSize || !source.readExactAt(start, header, kMp4AtomHeaderSize))
        return std::nullopt;
    const uint64_t room = static_cast<uint64_t>(limit - start);
    uint64_t size = LoadBE32(header);
    int64_t headerSize = kMp4AtomHeaderSize;
    if (size == 1) {
        // 8: 64-bit size
        if (room < kMp4LargeAtomHeaderSize || !source.readExactAt(start + kMp4AtomHeaderSize, header + 8, 8))
            return std::nullopt;
        size = LoadBE64(header + 8);
        headerSize = kMp4LargeAtomHeaderSize;
    } else if (size == 0 && topLevel) {
        size = room;
    }
    if (size < uint64_t(headerSize) || size > room) return std::nullopt;
    return Mp4AtomRef{LoadBE32(header + 4), start + headerSize, static_cast<int64_t>(size) - headerSize};
}

std::vector<Mp4AtomRef> ReadMp4Children(ByteSource& source, const Mp4AtomRef& parent, int64_t skip) {
    std::vector<Mp4AtomRef> children;
    if (skip < 0 || skip > parent.size) return children;
    const int64_t end = parent.offset + parent.size;
    int64_t position = parent.offset + skip;
    while (const std::optional<Mp4AtomRef> child = ReadMp4AtomHeader(source, position, end)) {
        children.push_back(*child);
        position = child->offset + child->size;
    }
    return children;
}

std::vector<unsigned char> ReadMp4Payload(ByteSource& source, const Mp4AtomRef& atom, size_t count) {
    std::vector<unsigned char> bytes(static_cast<size_t>(std::min<int64_t>(atom.size, int64_t(count))));
    if (!bytes.empty()) bytes.resize(source.readAt(atom.offset, bytes.data(), bytes.size()));
    return bytes;
}
