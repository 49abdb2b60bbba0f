#include "Mp4Fragments.h"

#include "Mp4Atom.h"

#include <algorithm>
#include <bit>

namespace {

constexpr FourCC kTrackExtends = MakeFourCC("trex");
constexpr FourCC kTrackFragment = MakeFourCC("traf");
constexpr FourCC kTrackFragmentHeader = MakeFourCC("tfhd");
constexpr FourCC kDecodeTime = MakeFourCC("tfdt");
constexpr FourCC kTrackRun = MakeFourCC("trun");

// trex: 0 version and flags, 4 track id, 8 description index, 12 default
// duration, 16 default size, 20 default flags.
constexpr size_t kTrexLength = 24;
constexpr size_t kTrexTrackId = 4;
constexpr size_t kTrexDuration = 12;
constexpr size_t kTrexSampleSize = 16;

// tfhd: 0 version and flags, 4 track id, 8 the optional fields its flags name, in this order.
constexpr size_t kTfhdMaxSize = 8 + 8 + 4 + 4 + 4 + 4;
constexpr uint32_t kBaseDataOffset = 0x000001;       // 64-bit
constexpr uint32_t kDescriptionIndex = 0x000002;     // 32-bit
constexpr uint32_t kDefaultDuration = 0x000008;      // 32-bit
constexpr uint32_t kDefaultSize = 0x000010;          // 32-bit
constexpr uint32_t kDefaultBaseIsMoof = 0x020000;

// tfdt: 0 version (1: 64-bit time) and flags, 4 base media decode time.
constexpr size_t kTfdtMaxSize = 12;

// trun: 0 version and flags, 4 sample count, 8 the optional fields, then one
// entry per sample holding the per-sample fields its flags name.
constexpr size_t kTrunHeadMaxSize = 16;
constexpr uint32_t kDataOffset = 0x000001;        // signed 32-bit, from the base data offset
constexpr uint32_t kFirstSampleFlags = 0x000004;  // 32-bit
constexpr uint32_t kSampleDuration = 0x000100;
constexpr uint32_t kSampleSize = 0x000200;
constexpr uint32_t kPerSampleFields = 0x000F00;   // duration, size, flags, composition offset: 32-bit each

constexpr uint32_t kFlagsMask = 0xFFFFFF;

Mp4FragmentedTrack* Find(std::vector<Mp4FragmentedTrack>& tracks, uint32_t id) {
    const auto found = std::find_if(tracks.begin(), tracks.end(),
                                    [id](const Mp4FragmentedTrack& t) { return t.track->trackId == id; });
    return found == tracks.end() ? nullptr : &*found;
}

struct FragmentDefaults {
    int64_t base;
    uint32_t duration;
    uint32_t size;
};

// One track run; next is where its samples start when it names no data
// offset, and ends where they end. False once the budget is spent.
bool ReadTrackRun(ByteSource& source, const Mp4AtomRef& run, const FragmentDefaults& defaults, int64_t fileSize,
                  Mp4FragmentedTrack& fragmented, Mp4SampleBudget& budget, int64_t& next) {
    const std::vector<unsigned char> head = ReadMp4Payload(source, run, kTrunHeadMaxSize);
    if (head.size() < 8) return true;
    const uint32_t flags = LoadBE32(head.data()) & kFlagsMask;
    size_t at = 8;
    if (flags & kDataOffset) {
        if (head.size() < at + 4) return true;
        next = defaults.base + static_cast<int32_t>(LoadBE32(&head[at]));
        at += 4;
    }
    if (flags & kFirstSampleFlags) at += 4;
    if (static_cast<int64_t>(at) > run.size) return true;

    const size_t entrySize = 4 * static_cast<size_t>(std::popcount(flags & kPerSampleFields));
    std::vector<unsigned char> entries;
    uint64_t count = LoadBE32(&head[4]);
    if (entrySize > 0) {
        if (count * entrySize > static_cast<uint64_t>(run.size) - at) return true;
        entries.resize(std::min<uint64_t>(count, Mp4Movie::kMaxSamples) * entrySize);
        if (!entries.empty() && !source.readExactAt(run.offset + int64_t(at), entries.data(), entries.size()))
            return true;
        count = entries.size() / entrySize;
    }

    Mp4Track& track = *fragmented.track;
    for (uint64_t i = 0; i < count; ++i) {
        const unsigned char* entry = entries.data() + i * entrySize;
        // Per-sample fields in flag order: duration, then size.
        const uint32_t duration = (flags & kSampleDuration) ? LoadBE32(entry) : defaults.duration;
        const uint32_t size = (flags & kSampleSize) ? LoadBE32(entry + ((flags & kSampleDuration) ? 4 : 0)) : defaults.size;
        const Mp4Sample sample{next, size, Mp4Seconds(fragmented.nextDecodeTime, track.timescale),
                               Mp4Seconds(duration, track.timescale)};
        if (!budget.add(track, sample)) return false;
        fragmented.nextDecodeTime += duration;
        // The rest of the run lies past the end of the file.
        if (next > fileSize || size > fileSize - next) break;
        next += size;
    }
    return true;
}

// One track fragment; dataEnd is where the previous one's data ended, the
// base of this one's unless it names another.
bool ReadTrackFragment(ByteSource& source, const Mp4AtomRef& traf, int64_t moofStart, int64_t fileSize,
                       std::vector<Mp4FragmentedTrack>& tracks, Mp4SampleBudget& budget, int64_t& dataEnd) {
    const std::vector<Mp4AtomRef> children = ReadMp4Children(source, traf);
    const auto header = std::find_if(children.begin(), children.end(),
                                     [](const Mp4AtomRef& a) { return a.type == kTrackFragmentHeader; });
    if (header == children.end()) return true;
    const std::vector<unsigned char> head = ReadMp4Payload(source, *header, kTfhdMaxSize);
    if (head.size() < 8) return true;
    const uint32_t flags = LoadBE32(head.data()) & kFlagsMask;
    Mp4FragmentedTrack* fragmented = Find(tracks, LoadBE32(&head[4]));
    if (fragmented == nullptr) return true;

    FragmentDefaults defaults{(flags & kDefaultBaseIsMoof) ? moofStart : dataEnd, fragmented->defaultDuration,
                              fragmented->defaultSize};
    size_t at = 8;
    const auto field = [&](uint32_t flag, size_t bytes, auto apply) {
        if (!(flags & flag)) return true;
        if (head.size() < at + bytes) return false;
        apply(&head[at]);
        at += bytes;
        return true;
    };
    if (!field(kBaseDataOffset, 8, [&](const unsigned char* p) {
            // Past the end of any file, and far enough from overflow for a run's data offset.
            defaults.base = static_cast<int64_t>(std::min<uint64_t>(LoadBE64(p), uint64_t(fileSize) + 1));
        }) ||
        !field(kDescriptionIndex, 4, [](const unsigned char*) {}) ||
        !field(kDefaultDuration, 4, [&](const unsigned char* p) { defaults.duration = LoadBE32(p); }) ||
        !field(kDefaultSize, 4, [&](const unsigned char* p) { defaults.size = LoadBE32(p); }))
        return true;

    int64_t next = defaults.base;
    for (const Mp4AtomRef& child : children) {
        if (child.type == kDecodeTime) {
            const std::vector<unsigned char> time = ReadMp4Payload(source, child, kTfdtMaxSize);
            if (time.size() >= 8 && time[0] == 0) fragmented->nextDecodeTime = LoadBE32(&time[4]);
            if (time.size() >= 12 && time[0] == 1) fragmented->nextDecodeTime = LoadBE64(&time[4]);
        } else if (child.type == kTrackRun) {
            if (!ReadTrackRun(source, child, defaults, fileSize, *fragmented, budget, next)) return false;
        }
    }
    dataEnd = next;
    return true;
}

}  // namespace

void ReadMp4TrackExtends(ByteSource& source, const Mp4AtomRef& movieExtends, std::vector<Mp4FragmentedTrack>& tracks) {
    for (const Mp4AtomRef& child : ReadMp4Children(source, movieExtends)) {
        if (child.type != kTrackExtends) continue;
        const std::vector<unsigned char> trex = ReadMp4Payload(source, child, kTrexLength);
        if (trex.size() < kTrexLength) continue;
        if (Mp4FragmentedTrack* track = Find(tracks, LoadBE32(&trex[kTrexTrackId]))) {
            track->defaultDuration = LoadBE32(&trex[kTrexDuration]);
            track->defaultSize = LoadBE32(&trex[kTrexSampleSize]);
        }
    }
}

void ReadMp4MovieFragment(ByteSource& source, const Mp4AtomRef& moof, int64_t moofStart, int64_t fileSize,
                          std::vector<Mp4FragmentedTrack>& tracks, Mp4SampleBudget& budget) {
    int64_t dataEnd = moofStart;
    for (const Mp4AtomRef& child : ReadMp4Children(source, moof)) {
        if (child.type != kTrackFragment) continue;
        if (!ReadTrackFragment(source, child, moofStart, fileSize, tracks, budget, dataEnd)) return;
    }
}
