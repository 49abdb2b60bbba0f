#include "IsoAtoms.h"

#include "BinaryFile.h"

namespace {

constexpr FourCC kMovie = MakeFourCC("moov");
constexpr size_t kMaxMovieChildren = 4096;

// Atom header: 0 size (big-endian, header included), 4 type, 8 the 64-bit
// size when size is 1.
constexpr int64_t kHeaderSize = 8;
constexpr int64_t kLargeHeaderSize = 16;
constexpr uint32_t kSizeToEnd = 0;
constexpr uint32_t kSizeIsLarge = 1;

}  // namespace

IsoAtomList ReadAtoms(ByteSource& source, int64_t offset, int64_t limit, size_t maxAtoms) {
    IsoAtomList list;
    list.end = offset;
    unsigned char header[kLargeHeaderSize];
    while (list.atoms.size() < maxAtoms && limit - offset >= kHeaderSize) {
        if (!source.readExactAt(offset, header, kHeaderSize)) break;
        const uint32_t size32 = LoadBE32(header);
        int64_t headerSize = kHeaderSize;
        int64_t size = size32;
        if (size32 == kSizeToEnd) {
            size = limit - offset;
        } else if (size32 == kSizeIsLarge) {
            if (limit - offset < kLargeHeaderSize ||
                !source.readExactAt(offset + kHeaderSize, header + kHeaderSize, kLargeHeaderSize - kHeaderSize))
                break;
            const uint64_t size64 = (uint64_t{LoadBE32(header + 8)} << 32) | LoadBE32(header + 12);
            if (size64 > uint64_t(limit - offset)) break;
            headerSize = kLargeHeaderSize;
            size = int64_t(size64);
        }
        if (size < headerSize || size > limit - offset) break;
        list.atoms.push_back({LoadBE32(header + 4), offset + headerSize, size - headerSize});
        offset += size;
        list.end = offset;
    }
    return list;
}

IsoAtomList ReadTopLevelAtoms(ByteSource& source, size_t maxAtoms) {
    unsigned char head[kHeaderSize];
    if (!source.readExactAt(0, head, sizeof head) || !LooksLikeMp4(head, sizeof head)) return {};
    return ReadAtoms(source, 0, source.size(), maxAtoms);
}

std::vector<Mp4AtomRef> ReadMovieChildren(ByteSource& source) {
    for (const Mp4AtomRef& atom : ReadTopLevelAtoms(source).atoms) {
        if (atom.type == kMovie) return ReadAtoms(source, atom.offset, atom.offset + atom.size, kMaxMovieChildren).atoms;
    }
    return {};
}
