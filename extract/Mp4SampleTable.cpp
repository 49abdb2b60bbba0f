#include "Mp4SampleTable.h"

#include "Mp4Atom.h"

#include <algorithm>

namespace {

constexpr FourCC kChunkOffsets = MakeFourCC("stco");
constexpr FourCC kChunkOffsets64 = MakeFourCC("co64");
constexpr FourCC kSampleToChunk = MakeFourCC("stsc");
constexpr FourCC kSampleSizes = MakeFourCC("stsz");
constexpr FourCC kTimeToSample = MakeFourCC("stts");

// stco/co64/stsc/stts: 0 version and flags, 4 entry count, 8 entries.
constexpr int64_t kTableCountOffset = 4;
// stsz: 0 version and flags, 4 size of every sample (0: a table follows),
// 8 sample count, 12 one 32-bit size per sample.
constexpr int64_t kFixedSizeOffset = 4;
constexpr int64_t kSampleCountOffset = 8;
constexpr size_t kSampleSizeHeader = 12;
// stsc entry: 0 first chunk (from 1), 4 samples per chunk, 8 description index.
constexpr size_t kSampleToChunkEntry = 12;
// stts entry: 0 sample count, 4 sample duration.
constexpr size_t kTimeToSampleEntry = 8;

const Mp4AtomRef* Find(const std::vector<Mp4AtomRef>& atoms, FourCC type) {
    const auto found = std::find_if(atoms.begin(), atoms.end(), [type](const Mp4AtomRef& a) { return a.type == type; });
    return found == atoms.end() ? nullptr : &*found;
}

std::vector<uint64_t> ReadChunkOffsets(ByteSource& source, const std::vector<Mp4AtomRef>& children) {
    std::vector<uint64_t> offsets;
    const Mp4AtomRef* table = Find(children, kChunkOffsets);
    const bool wide = table == nullptr;
    if (wide) table = Find(children, kChunkOffsets64);
    if (table == nullptr) return offsets;
    const size_t entrySize = wide ? 8 : 4;
    const std::vector<unsigned char> entries =
        ReadMp4TableEntries(source, *table, kTableCountOffset, entrySize, Mp4Movie::kMaxSamples);
    for (size_t at = 0; at < entries.size(); at += entrySize)
        offsets.push_back(wide ? LoadBE64(&entries[at]) : LoadBE32(&entries[at]));
    return offsets;
}

// The sample sizes of stsz: one fixed size for count samples, or a table.
struct SampleSizes {
    uint32_t fixed = 0;
    uint64_t count = 0;
    std::vector<unsigned char> table;
    uint32_t operator[](uint64_t i) const { return fixed != 0 ? fixed : LoadBE32(&table[4 * i]); }
};

SampleSizes ReadSampleSizes(ByteSource& source, const Mp4AtomRef* atom) {
    SampleSizes sizes;
    if (atom == nullptr) return sizes;
    const std::vector<unsigned char> head = ReadMp4Payload(source, *atom, kSampleSizeHeader);
    if (head.size() < kSampleSizeHeader) return sizes;
    sizes.fixed = LoadBE32(&head[kFixedSizeOffset]);
    if (sizes.fixed != 0) {
        sizes.count = LoadBE32(&head[kSampleCountOffset]);
        return sizes;
    }
    sizes.table = ReadMp4TableEntries(source, *atom, kSampleCountOffset, 4, Mp4Movie::kMaxSamples);
    sizes.count = sizes.table.size() / 4;
    return sizes;
}

// Decoding times from stts, one sample after the other.
class SampleClock {
public:
    explicit SampleClock(std::vector<unsigned char> entries) : entries(std::move(entries)) {}

    uint64_t time() const { return decodeTime; }
    uint32_t duration() const { return at < entries.size() ? LoadBE32(&entries[at + 4]) : 0; }
    void advance(uint64_t samples) {
        while (samples > 0 && at < entries.size()) {
            const uint64_t step = std::min<uint64_t>(samples, LoadBE32(&entries[at]) - usedOfEntry);
            decodeTime += step * duration();
            samples -= step;
            usedOfEntry += step;
            if (usedOfEntry == LoadBE32(&entries[at])) {
                at += kTimeToSampleEntry;
                usedOfEntry = 0;
            }
        }
    }

private:
    std::vector<unsigned char> entries;
    size_t at = 0;
    uint64_t usedOfEntry = 0;
    uint64_t decodeTime = 0;
};

// Samples per chunk from stsc, asked for chunk after chunk in file order.
class ChunkRuns {
public:
    ChunkRuns(ByteSource& source, const std::vector<Mp4AtomRef>& children)
        : runs(Find(children, kSampleToChunk) ? ReadMp4TableEntries(source, *Find(children, kSampleToChunk),
                                                                    kTableCountOffset, kSampleToChunkEntry,
                                                                    Mp4Movie::kMaxSamples)
                                              : std::vector<unsigned char>{}) {}

    // Without stsc every chunk holds one sample.
    uint64_t samplesIn(size_t chunk) {
        while (run + kSampleToChunkEntry < runs.size() && LoadBE32(&runs[run + kSampleToChunkEntry]) <= chunk + 1)
            run += kSampleToChunkEntry;
        return runs.empty() ? 1 : LoadBE32(&runs[run + 4]);
    }

private:
    std::vector<unsigned char> runs;
    size_t run = 0;
};

}  // namespace

bool Mp4SampleBudget::add(Mp4Track& track, const Mp4Sample& sample) {
    if (left == 0) {
        truncated = true;
        return false;
    }
    --left;
    track.samples.push_back(sample);
    return true;
}

std::vector<unsigned char> ReadMp4TableEntries(ByteSource& source, const Mp4AtomRef& table, int64_t countOffset,
                                               size_t entrySize, size_t maxEntries) {
    unsigned char countBytes[4];
    if (table.size < countOffset + 4 || !source.readExactAt(table.offset + countOffset, countBytes, 4)) return {};
    const uint64_t count = LoadBE32(countBytes);
    const auto room = static_cast<uint64_t>(table.size - countOffset - 4);
    if (count * entrySize > room) return {};
    std::vector<unsigned char> entries(std::min<uint64_t>(count, maxEntries) * entrySize);
    if (!entries.empty() && !source.readExactAt(table.offset + countOffset + 4, entries.data(), entries.size()))
        return {};
    return entries;
}

double Mp4Seconds(uint64_t units, uint32_t timescale) {
    return timescale == 0 ? 0.0 : static_cast<double>(units) / timescale;
}

uint64_t ReadMp4SampleTable(ByteSource& source, const Mp4AtomRef& sampleTable, int64_t fileSize,
                            Mp4SampleBudget& budget, Mp4Track& track) {
    const std::vector<Mp4AtomRef> children = ReadMp4Children(source, sampleTable);
    const std::vector<uint64_t> chunkOffsets = ReadChunkOffsets(source, children);
    const SampleSizes sizes = ReadSampleSizes(source, Find(children, kSampleSizes));
    SampleClock clock(Find(children, kTimeToSample)
                          ? ReadMp4TableEntries(source, *Find(children, kTimeToSample), kTableCountOffset,
                                                kTimeToSampleEntry, Mp4Movie::kMaxSamples)
                          : std::vector<unsigned char>{});
    const auto addAt = [&](uint64_t offset, uint32_t size) {
        const Mp4Sample sample{static_cast<int64_t>(std::min<uint64_t>(offset, INT64_MAX)), size,
                               Mp4Seconds(clock.time(), track.timescale), Mp4Seconds(clock.duration(), track.timescale)};
        clock.advance(1);
        return budget.add(track, sample);
    };

    // Tables that give chunks but no sizes: the first cameras' readers took each
    // chunk offset as one sample, and so does this.
    if (sizes.count == 0) {
        track.sizesKnown = chunkOffsets.empty();
        for (const uint64_t offset : chunkOffsets)
            if (!addAt(offset, 0)) break;
        return clock.time();
    }

    ChunkRuns runs(source, children);
    uint64_t sample = 0;
    for (size_t chunk = 0; chunk < chunkOffsets.size() && sample < sizes.count; ++chunk) {
        const uint64_t inChunk = runs.samplesIn(chunk);
        uint64_t offset = chunkOffsets[chunk];
        for (uint64_t k = 0; k < inChunk && sample < sizes.count; ++k) {
            const uint32_t size = sizes[sample++];
            if (!addAt(offset, size)) return clock.time();
            if (offset > uint64_t(fileSize) || size > uint64_t(fileSize) - offset) {
                const uint64_t rest = std::min(inChunk - k - 1, sizes.count - sample);
                clock.advance(rest);
                sample += rest;
                break;
            }
            offset += size;
        }
    }
    return clock.time();
}

bool ReadMp4ChunkRanges(ByteSource& source, const Mp4AtomRef& sampleTable, int64_t fileSize,
                        std::vector<Mp4ByteRange>& ranges) {
    const std::vector<Mp4AtomRef> children = ReadMp4Children(source, sampleTable);
    const std::vector<uint64_t> chunkOffsets = ReadChunkOffsets(source, children);
    const SampleSizes sizes = ReadSampleSizes(source, Find(children, kSampleSizes));
    if (sizes.count == 0) return chunkOffsets.empty();
    ChunkRuns runs(source, children);
    uint64_t sample = 0;
    for (size_t chunk = 0; chunk < chunkOffsets.size() && sample < sizes.count; ++chunk) {
        const uint64_t inChunk = std::min(runs.samplesIn(chunk), sizes.count - sample);
        // A fixed size may stand for billions of samples: multiplied, not added up.
        uint64_t bytes = sizes.fixed != 0 ? inChunk * sizes.fixed : 0;
        for (uint64_t k = 0; sizes.fixed == 0 && k < inChunk; ++k) bytes += sizes[sample + k];
        sample += inChunk;
        const uint64_t begin = chunkOffsets[chunk];
        if (begin > uint64_t(fileSize) || bytes > uint64_t(fileSize) - begin) return false;
        if (bytes > 0) ranges.push_back({int64_t(begin), int64_t(begin + bytes)});
    }
    return true;
}
