#include "AviGPSReader.h"

#include "AviIndex.h"
#include "BinaryFile.h"
#include "GPSText.h"

#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr FourCC kRiffId = MakeFourCC("RIFF");
constexpr FourCC kListId = MakeFourCC("LIST");
constexpr FourCC kMoviType = MakeFourCC("movi");
constexpr FourCC kAviForm = MakeFourCC("AVI ");
constexpr FourCC kGPSChunkId = MakeFourCC("02gp");
constexpr FourCC kIndexId = MakeFourCC("idx1");

constexpr size_t kRiffHeaderSize = 12;  // "RIFF", R, form type
constexpr size_t kRiffSizeOffset = 4;
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
    ByteSource& source() { return file.bytes(); }

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

// RIFF pads every chunk of odd size with one byte that its size leaves out.
int64_t PaddedSize(int64_t size) { return size + (size & 1); }

// Parses the text of the "02gp" chunk at offset; false when the file ends
// before it or out is full.
bool ReadGPSChunk(ReadWindow& file, int64_t offset, int64_t size, GPSData& out) {
    const int64_t textStart = offset + kChunkHeaderSize;
    if (textStart + size > file.fileSize()) return false;
    std::string text(static_cast<size_t>(size), '\0');
    if (!file.read(textStart, text.data(), text.size())) return false;
    GPSRecord record{};
    return !ParseGPSText(text, record) || out.add(record);
}

// Parses each "02gp" payload as it is met; stops at the first read that meets
// the end of the file, or when out is full.
bool ReadMoviList(ReadWindow& file, Span movi, GPSData& out) {
    const int64_t end = movi.start + movi.length;
    for (int64_t offset = movi.start; offset < end;) {
        const std::optional<ChunkHeader> chunk = ReadChunkHeader(file, offset);
        if (!chunk) return false;
        if (chunk->id == kGPSChunkId && chunk->size <= kMaxGPSTextSize && !ReadGPSChunk(file, offset, chunk->size, out))
            return false;
        offset += kChunkHeaderSize + PaddedSize(chunk->size);
    }
    return true;
}

// The same chunks found through the index, with one read per GPS chunk
// instead of one per chunk; each GPS chunk's header must agree with its
// entry. None when one does not: the index is then not the file's.
std::optional<bool> ReadIndexedChunks(ReadWindow& file, const std::vector<AviIndexedChunk>& chunks, GPSData& out) {
    for (const AviIndexedChunk& chunk : chunks) {
        // Where a walk would meet the end of the file.
        if (chunk.offset + kChunkHeaderSize > file.fileSize()) return false;
        if (chunk.id != kGPSChunkId || chunk.size > kMaxGPSTextSize) continue;
        const std::optional<ChunkHeader> header = ReadChunkHeader(file, chunk.offset);
        if (!header) return false;
        if (header->id != chunk.id || header->size != chunk.size) return std::nullopt;
        if (!ReadGPSChunk(file, chunk.offset, chunk.size, out)) return false;
    }
    return true;
}

// Through the form's index when it accounts for every chunk of the list,
// else by the walk.
bool ReadMovi(ReadWindow& file, Span movi, const std::optional<Span>& index, GPSData& out) {
    if (index) {
        if (const auto chunks =
                ReadMoviIndex(file.source(), index->start, index->length, movi.start, movi.start + movi.length)) {
            const size_t before = out.records.size();
            if (const std::optional<bool> done = ReadIndexedChunks(file, *chunks, out)) return *done;
            out.records.resize(before);
        }
    }
    return ReadMoviList(file, movi, out);
}

// The data of the form's first idx1 chunk, from the headers of its top-level chunks.
std::optional<Span> FindIndex(ReadWindow& file, int64_t formStart, int64_t formSize) {
    const int64_t childrenStart = formStart + kRiffHeaderSize;
    for (int64_t pos = 0; pos < formSize;) {
        const std::optional<ChunkHeader> chunk = ReadChunkHeader(file, childrenStart + pos);
        if (!chunk) return std::nullopt;
        if (chunk->id == kIndexId) return Span{childrenStart + pos + kChunkHeaderSize, chunk->size};
        pos += kChunkHeaderSize + PaddedSize(chunk->size);
    }
    return std::nullopt;
}

// Every 'movi' list of one RIFF form (files past 1 GiB continue in further
// 'AVIX' forms, each with its own list). Top-level walks count pos from the
// first chunk but compare it with the form's size, which also counts the form
// type.
bool ReadRiffForm(ReadWindow& file, int64_t formStart, int64_t formSize, GPSData& out) {
    const int64_t childrenStart = formStart + kRiffHeaderSize;
    const std::optional<Span> index = FindIndex(file, formStart, formSize);
    for (int64_t pos = 0; pos < formSize;) {
        const int64_t offset = childrenStart + pos;
        const std::optional<ChunkHeader> chunk = ReadChunkHeader(file, offset);
        if (!chunk) return false;
        // A LIST too small to hold its type is passed over like any other chunk.
        if (chunk->id == kListId && chunk->size >= kListTypeSize) {
            unsigned char listType[kListTypeSize];
            if (!file.read(offset + kChunkHeaderSize, listType, sizeof listType)) return false;
            if (LoadBE32(listType) == kMoviType &&
                !ReadMovi(file, Span{offset + kChunkHeaderSize + kListTypeSize, chunk->size - kListTypeSize}, index,
                          out))
                return false;
        }
        pos += kChunkHeaderSize + PaddedSize(chunk->size);
    }
    return true;
}

}  // namespace

bool AviGPSReader::recognise(const GPSProbe& probe) {
    constexpr size_t kFormTypeOffset = 8;
    return probe.extension == "AVI" ||
           (probe.head.size() >= kRiffHeaderSize && LoadBE32(probe.head.data()) == kRiffId &&
            LoadBE32(probe.head.data() + kFormTypeOffset) == kAviForm);
}

void AviGPSReader::read(const GPSInput& input, GPSData& out) {
    BinaryFile file(input.source);
    ReadWindow window(file);
    // The forms follow each other at the top level of the file.
    for (int64_t formStart = 0; formStart < file.size();) {
        unsigned char header[kRiffHeaderSize];
        if (!window.read(formStart, header, sizeof header) || LoadBE32(header) != kRiffId) return;
        const int64_t formSize = LoadLE32(header + kRiffSizeOffset);
        if (!ReadRiffForm(window, formStart, formSize, out)) return;
        formStart += kChunkHeaderSize + PaddedSize(formSize);
    }
}
