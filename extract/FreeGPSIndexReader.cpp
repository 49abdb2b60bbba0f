#include "FreeGPSIndexReader.h"

#include "FreeGPSScanReader.h"
#include "InputMovie.h"
#include "MovRecognition.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr FourCC kGpsIndexType = MakeFourCC("gps ");
constexpr int64_t kIndexHeader = 8;  // version and a date, both unused
constexpr int64_t kEntrySize = 8;    // offset and size, big-endian 32-bit

}  // namespace

bool RecogniseFreeGPSIndex(const GPSProbe& probe) { return IsMovFamily(probe); }

void ReadFreeGPSIndex(const GPSInput& input, GPSData& out) {
    const std::optional<Mp4Movie> movie = ReadInputOutline(input);
    if (!movie) return;
    const Mp4AtomRef* index = movie->findMovieChild(kGpsIndexType);
    if (!index || index->size < kIndexHeader + kEntrySize) return;
    out.clock = GPSClock::UTC;
    // The atom's size was checked against its parent; the table is read once.
    std::vector<unsigned char> table(static_cast<size_t>((index->size - kIndexHeader) / kEntrySize * kEntrySize));
    if (!input.source.readExactAt(index->offset + kIndexHeader, table.data(), table.size())) return;
    // Boxes lie in file order and never overlap: an entry that goes back or
    // into the box before it is hostile, and skipping it bounds the work to
    // one read of each byte of the file.
    out.records.reserve(std::min(table.size() / kEntrySize, GPSData::kMaxGPSRecords));
    int64_t nextFree = 0;
    for (size_t at = 0; at < table.size() && !out.full(); at += kEntrySize) {
        const int64_t offset = LoadBE32(table.data() + at);
        const int64_t size = LoadBE32(table.data() + at + 4);
        if (offset < nextFree || size == 0) continue;
        if (ReadFreeGPSBox(input.source, offset, size, out)) nextFree = offset + size;
    }
}
