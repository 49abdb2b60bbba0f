#include "AviIndex.h"

namespace {

constexpr int64_t kEntrySize = 16;  // id, flags, offset, size
constexpr size_t kEntryOffset = 8;  // little-endian, of the chunk's header
constexpr size_t kEntrySizeField = 12;
constexpr int64_t kChunkHeaderSize = 8;
constexpr int64_t kListTypeSize = 4;
// A million chunks; a larger index is left for the walk rather than loaded.
constexpr int64_t kMaxIndexSize = kEntrySize << 20;

}  // namespace

std::optional<std::vector<AviIndexedChunk>> ReadMoviIndex(ByteSource& source, int64_t indexStart, int64_t indexSize,
                                                          int64_t moviStart, int64_t moviEnd) {
    if (indexSize < kEntrySize || indexSize > kMaxIndexSize || moviStart >= moviEnd) return std::nullopt;
    std::vector<unsigned char> table(static_cast<size_t>(indexSize / kEntrySize * kEntrySize));
    if (!source.readExactAt(indexStart, table.data(), table.size())) return std::nullopt;
    // Offsets count from the list's type field, or (some muxers) from the
    // start of the file: the first entry is the list's first child either way.
    const int64_t first = LoadLE32(table.data() + kEntryOffset);
    const int64_t base = first == kListTypeSize ? moviStart - kListTypeSize : first == moviStart ? 0 : -1;
    if (base < 0) return std::nullopt;
    std::vector<AviIndexedChunk> chunks;
    int64_t next = moviStart;
    for (size_t at = 0; at < table.size() && next < moviEnd; at += kEntrySize) {
        const unsigned char* entry = table.data() + at;
        const int64_t offset = base + LoadLE32(entry + kEntryOffset);
        if (offset != next) return std::nullopt;
        const int64_t size = LoadLE32(entry + kEntrySizeField);
        chunks.push_back({LoadBE32(entry), offset, size});
        next = offset + kChunkHeaderSize + size + (size & 1);
    }
    if (next < moviEnd) return std::nullopt;
    return chunks;
}
