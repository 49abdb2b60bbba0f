#include "AviGPSReader.h"

#include "BinaryFile.h"
#include "GPSText.h"

#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr FourCC kRiffId = MakeFourCC("RIFF");
constexpr FourCC kListId = MakeFourCC("LIST");
constexpr FourCC kMoviType = MakeFourCC("movi");
constexpr FourCC kIndexId = MakeFourCC("idx1");
constexpr FourCC kGPSChunkId = MakeFourCC("02gp");

constexpr size_t kRiffHeaderSize = 12;  // "RIFF", R, form type
constexpr size_t kRiffSizeOffset = 4;
constexpr int64_t kTopLevelStart = 12;
constexpr int64_t kChunkHeaderSize = 8;  // id, size
constexpr size_t kChunkSizeOffset = 4;
constexpr int64_t kListTypeSize = 4;
// A GPS text is one line of a few dozen bytes: a larger "02gp" chunk is not
// one, and is not loaded into memory.
constexpr int64_t kMaxGPSTextSize = 1 << 20;
constexpr size_t kWindowSize = 512;

// Reads through a small window fetched with one positioned read: a walk over
// large chunks costs one system call per chunk and no buffer refill, and a run
// of tiny chunks is served from memory.
class ReadWindow {
public:
    explicit ReadWindow(BinaryFile& file) : file(file) {}

    // False when the file ends before offset + count.
    bool read(int64_t offset, void* out, size_t count) {
        if (count > kWindowSize) return file.readAt(offset, out, count);
        if (offset < start || offset + int64_t(count) > start + int64_t(filled)) {
            start = offset;
            filled = file.readSomeAt(offset, bytes, sizeof bytes);
            if (filled < count) return false;
        }
        std::memcpy(out, bytes + (offset - start), count);
        return true;
    }

    int64_t fileSize() const { return file.size(); }

private:
    BinaryFile& file;
    int64_t start = 0;
    size_t filled = 0;
    unsigned char bytes[kWindowSize];
};

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
std::optional<ChunkHeader> ReadChunkHeader(ReadWindow& file, int64_t offset) {
    unsigned char header[kChunkHeaderSize];
    if (!file.read(offset, header, sizeof header)) return std::nullopt;
    return ChunkHeader{LoadBE32(header), LoadLE32(header + kChunkSizeOffset)};
}

// Top-level walks count pos from the first chunk but compare it with R, which
// also counts the form type: after the last chunk of a well-formed file they
// still try one header just past the RIFF data, which the end of the file or
// a following RIFF answers.
bool HasIndexChunk(ReadWindow& file, int64_t riffSize) {
    for (int64_t pos = 0; pos < riffSize;) {
        const std::optional<ChunkHeader> chunk = ReadChunkHeader(file, kTopLevelStart + pos);
        if (!chunk) return false;
        if (chunk->id == kIndexId) return true;
        pos += kChunkHeaderSize + chunk->size;
    }
    return false;
}

std::optional<Span> FindMoviList(ReadWindow& file, int64_t riffSize) {
    for (int64_t pos = 0; pos < riffSize;) {
        const int64_t offset = kTopLevelStart + pos;
        const std::optional<ChunkHeader> chunk = ReadChunkHeader(file, offset);
        if (!chunk) return std::nullopt;
        // A LIST too small to hold its type is passed over like any other chunk.
        if (chunk->id == kListId && chunk->size >= kListTypeSize) {
            unsigned char listType[kListTypeSize];
            if (!file.read(offset + kChunkHeaderSize, listType, sizeof listType)) return std::nullopt;
            if (LoadBE32(listType) == kMoviType)
                return Span{offset + kChunkHeaderSize + kListTypeSize, chunk->size - kListTypeSize};
        }
        pos += kChunkHeaderSize + chunk->size;
    }
    return std::nullopt;
}

// Parses each "02gp" payload as it is met; stops at the first read that meets
// the end of the file.
void ReadMoviList(ReadWindow& file, Span movi, GPSRecord* records, int32_t& count) {
    const int64_t end = movi.start + movi.length;
    for (int64_t offset = movi.start; offset < end && count < kMaxGPSRecords;) {
        const std::optional<ChunkHeader> chunk = ReadChunkHeader(file, offset);
        if (!chunk) return;
        if (chunk->id == kGPSChunkId && chunk->size <= kMaxGPSTextSize) {
            const int64_t textStart = offset + kChunkHeaderSize;
            if (textStart + chunk->size > file.fileSize()) return;
            std::string text(static_cast<size_t>(chunk->size), '\0');
            if (!file.read(textStart, text.data(), text.size())) return;
            if (ParseGPSText(text, records[count])) ++count;
        }
        offset += kChunkHeaderSize + chunk->size;
    }
}

}  // namespace

void AviGPSReader::read(const char* path, GPSRecord* records, int32_t& count) {
    BinaryFile file(path);
    if (!file.isOpen()) return;
    count = 0;
    ReadWindow window(file);
    unsigned char header[kRiffHeaderSize];
    if (!window.read(0, header, sizeof header) || LoadBE32(header) != kRiffId) return;
    const int64_t riffSize = LoadLE32(header + kRiffSizeOffset);
    if (HasIndexChunk(window, riffSize)) return;
    if (const std::optional<Span> movi = FindMoviList(window, riffSize)) ReadMoviList(window, *movi, records, count);
}
