#include "MovAtomWalk.h"

namespace {

constexpr FourCC kMovie = MakeFourCC("moov");
constexpr FourCC kTrack = MakeFourCC("trak");
constexpr FourCC kMedia = MakeFourCC("mdia");
constexpr FourCC kHandler = MakeFourCC("hdlr");
constexpr FourCC kMediaInformation = MakeFourCC("minf");
constexpr FourCC kSampleTable = MakeFourCC("stbl");
constexpr FourCC kChunkOffsets = MakeFourCC("stco");
constexpr FourCC kTextHandler = MakeFourCC("text");

// Atom header: 0 size (big-endian, header included), 4 type.
constexpr int64_t kAtomHeaderSize = 8;
// Handler atom: 8 version and flags, 12 component type, 16 component subtype.
constexpr int64_t kHandlerSubtypeOffset = 16;
constexpr int64_t kHandlerMinimumSize = kHandlerSubtypeOffset + 4;
// Chunk-offset atom: 8 version and flags, 12 entry count, 16 entries.
constexpr int64_t kChunkOffsetCountOffset = 12;
constexpr int64_t kChunkOffsetEntriesOffset = 16;
constexpr int64_t kChunkOffsetEntrySize = 4;

}  // namespace

std::optional<MovAtomWalk::Atom> MovAtomWalk::ReadAtomHeader(int64_t start, int64_t limit) {
    if (limit - start < kAtomHeaderSize || !file.seek(start)) return std::nullopt;
    const std::optional<uint32_t> size = file.readBE32();
    const std::optional<uint32_t> type = file.readBE32();
    if (!size || !type) return std::nullopt;
    if (*size < kAtomHeaderSize || *size > limit - start) return std::nullopt;
    return Atom{*type, start, *size};
}

template <typename Visit>
void MovAtomWalk::ForEachChild(const Atom& parent, Visit visit) {
    int64_t position = parent.start + kAtomHeaderSize;
    while (const std::optional<Atom> child = ReadAtomHeader(position, parent.end())) {
        if (!visit(*child)) return;
        position = child->end();
    }
}

std::vector<uint32_t> MovAtomWalk::ReadTextChunkOffsets() {
    chunkOffsets.clear();
    // The first top-level atom is skipped by its size alone.
    if (!file.seek(0)) return {};
    const std::optional<uint32_t> firstSize = file.readBE32();
    if (!firstSize || *firstSize < kAtomHeaderSize || *firstSize > file.size()) return {};

    const std::optional<Atom> second = ReadAtomHeader(*firstSize, file.size());
    if (second && second->type == kMovie) ReadMovieAtom(*second);
    return std::move(chunkOffsets);
}

void MovAtomWalk::ReadMovieAtom(const Atom& movie) {
    ForEachChild(movie, [this](const Atom& child) {
        if (child.type == kTrack) ReadTrackAtom(child);
        return true;
    });
}

void MovAtomWalk::ReadTrackAtom(const Atom& track) {
    ForEachChild(track, [this](const Atom& child) {
        if (child.type == kMedia) ReadMediaAtom(child);
        return true;
    });
}

void MovAtomWalk::ReadMediaAtom(const Atom& media) {
    // Nothing after the handler of a track other than text is walked; a minf
    // placed before the handler is.
    ForEachChild(media, [this](const Atom& child) {
        if (child.type == kHandler) return IsTextHandler(child);
        if (child.type == kMediaInformation) ReadMediaInformationAtom(child);
        return true;
    });
}

bool MovAtomWalk::IsTextHandler(const Atom& handler) {
    if (handler.size < kHandlerMinimumSize || !file.seek(handler.start + kHandlerSubtypeOffset)) return false;
    const std::optional<uint32_t> subtype = file.readBE32();
    return subtype && *subtype == kTextHandler;
}

void MovAtomWalk::ReadMediaInformationAtom(const Atom& information) {
    ForEachChild(information, [this](const Atom& child) {
        if (child.type == kSampleTable) ReadSampleTableAtom(child);
        return true;
    });
}

void MovAtomWalk::ReadSampleTableAtom(const Atom& sampleTable) {
    ForEachChild(sampleTable, [this](const Atom& child) {
        if (child.type == kChunkOffsets) ReadChunkOffsetAtom(child);
        return true;
    });
}

void MovAtomWalk::ReadChunkOffsetAtom(const Atom& table) {
    if (table.size < kChunkOffsetEntriesOffset || !file.seek(table.start + kChunkOffsetCountOffset)) return;
    const std::optional<uint32_t> entryCount = file.readBE32();
    // A count the atom cannot hold marks a corrupt table: none of it is trusted,
    // and nothing is allocated for it.
    const int64_t room = table.size - kChunkOffsetEntriesOffset;
    if (!entryCount || int64_t{*entryCount} * kChunkOffsetEntrySize > room) return;

    chunkOffsets.reserve(chunkOffsets.size() + *entryCount);
    for (uint32_t i = 0; i < *entryCount; ++i) {
        const std::optional<uint32_t> offset = file.readBE32();
        if (!offset) return;
        chunkOffsets.push_back(*offset);
    }
}
