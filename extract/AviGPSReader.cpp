#include "AviGPSReader.h"

#include "BinaryFile.h"
#include "GPSText.h"

#include <optional>

namespace {

constexpr FourCC kRiffId = MakeFourCC("RIFF");
constexpr FourCC kListId = MakeFourCC("LIST");
constexpr FourCC kMoviType = MakeFourCC("movi");
constexpr FourCC kIndexId = MakeFourCC("idx1");
constexpr FourCC kGPSChunkId = MakeFourCC("02gp");

constexpr size_t kRiffHeaderSize = 12;  // "RIFF", R, form type
constexpr size_t kRiffSizeOffset = 4;
constexpr int64_t kTopLevelStart = 12;
constexpr size_t kChunkHeaderSize = 8;  // id, size
constexpr size_t kChunkSizeOffset = 4;
constexpr int64_t kListTypeSize = 4;
// A GPS text is one line of a few dozen bytes: a larger "02gp" chunk is not
// one, and is not loaded into memory.
constexpr int64_t kMaxGPSTextSize = 1 << 20;

struct ChunkHeader {
    FourCC id;
    int64_t size;
};

// Data of a list, after its type.
struct Span {
    int64_t start;
    int64_t length;
};

// Sizes are taken as unsigned 32-bit values on 64-bit positions: every chunk
// moves a walk forward by at least its header, a size that would be negative as
// a signed value leads past the end of the file and ends the walk there, and
// files of 2 GiB and more are walked to their real end.
std::optional<ChunkHeader> ReadChunkHeader(BinaryFile& file, int64_t offset) {
    unsigned char header[kChunkHeaderSize];
    if (!file.seek(offset) || !file.read(header, sizeof header)) return std::nullopt;
    return ChunkHeader{LoadBE32(header), LoadLE32(header + kChunkSizeOffset)};
}

// Top-level walks count pos from the first chunk and compare it with R, which
// counts from the form type: the last step may look 4 bytes past the RIFF data.
bool HasIndexChunk(BinaryFile& file, int64_t riffSize) {
    for (int64_t pos = 0; pos < riffSize;) {
        const std::optional<ChunkHeader> chunk = ReadChunkHeader(file, kTopLevelStart + pos);
        if (!chunk) return false;
        if (chunk->id == kIndexId) return true;
        pos += kChunkHeaderSize + chunk->size;
    }
    return false;
}

std::optional<Span> FindMoviList(BinaryFile& file, int64_t riffSize) {
    for (int64_t pos = 0; pos < riffSize;) {
        const int64_t offset = kTopLevelStart + pos;
        const std::optional<ChunkHeader> chunk = ReadChunkHeader(file, offset);
        if (!chunk) return std::nullopt;
        // A LIST too small to hold its type is passed over like any other chunk.
        if (chunk->id == kListId && chunk->size >= kListTypeSize) {
            const std::optional<uint32_t> listType = file.readBE32();
            if (!listType) return std::nullopt;
            if (*listType == kMoviType)
                return Span{offset + int64_t{kChunkHeaderSize} + kListTypeSize, chunk->size - kListTypeSize};
        }
        pos += kChunkHeaderSize + chunk->size;
    }
    return std::nullopt;
}

// Parses each "02gp" payload as it is met; stops at the first read that meets
// the end of the file.
void ReadMoviList(BinaryFile& file, Span movi, GPSRecord* records, int32_t& count) {
    const int64_t end = movi.start + movi.length;
    for (int64_t offset = movi.start; offset < end && count < kMaxGPSRecords;) {
        const std::optional<ChunkHeader> chunk = ReadChunkHeader(file, offset);
        if (!chunk) return;
        if (chunk->id == kGPSChunkId && chunk->size <= kMaxGPSTextSize) {
            const std::optional<std::string> text = file.readText(static_cast<size_t>(chunk->size));
            if (!text) return;
            if (ParseGPSText(*text, records[count])) ++count;
        }
        offset += kChunkHeaderSize + chunk->size;
    }
}

}  // namespace

void AviGPSReader::read(const char* path, GPSRecord* records, int32_t& count) {
    BinaryFile file(path);
    if (!file.isOpen()) return;
    count = 0;
    unsigned char header[kRiffHeaderSize];
    if (!file.read(header, sizeof header) || LoadBE32(header) != kRiffId) return;
    const int64_t riffSize = LoadLE32(header + kRiffSizeOffset);
    if (HasIndexChunk(file, riffSize)) return;
    if (const std::optional<Span> movi = FindMoviList(file, riffSize)) ReadMoviList(file, *movi, records, count);
}
