#include "Mp4Movie.h"

#include "Mp4Atom.h"
#include "Mp4Fragments.h"
#include "Mp4SampleTable.h"

#include <algorithm>

namespace {

constexpr FourCC kMovie = MakeFourCC("moov");
constexpr FourCC kMovieHeader = MakeFourCC("mvhd");
constexpr FourCC kTrack = MakeFourCC("trak");
constexpr FourCC kTrackHeader = MakeFourCC("tkhd");
constexpr FourCC kMedia = MakeFourCC("mdia");
constexpr FourCC kMediaHeader = MakeFourCC("mdhd");
constexpr FourCC kHandler = MakeFourCC("hdlr");
constexpr FourCC kMediaInformation = MakeFourCC("minf");
constexpr FourCC kSampleTable = MakeFourCC("stbl");
constexpr FourCC kSampleDescriptions = MakeFourCC("stsd");
constexpr FourCC kUserData = MakeFourCC("udta");
constexpr FourCC kMovieExtends = MakeFourCC("mvex");
constexpr FourCC kMovieFragment = MakeFourCC("moof");

// A fragmented file of one fragment per frame at 60 Hz for over four hours.
constexpr size_t kMaxTopLevelAtoms = size_t{1} << 21;

// mvhd, tkhd and mdhd: 0 version (1 widens the times to 64 bits) and flags,
// 4 creation time, then a modification time, then at 12 (v1: 20) the mvhd and
// mdhd timescale or the tkhd track id; the mvhd duration follows at 16 (v1: 24).
constexpr size_t kCreationTimeOffset = 4;
constexpr size_t kAfterTimesOffset = 12;
constexpr size_t kAfterTimesOffsetV1 = 20;
constexpr size_t kDurationOffset = 16;
constexpr size_t kDurationOffsetV1 = 24;
constexpr size_t kMovieHeaderLength = kDurationOffset + 4;
constexpr size_t kMovieHeaderLengthV1 = kDurationOffsetV1 + 8;
// hdlr: 0 version and flags, 4 QuickTime component type, 8 handler type.
constexpr size_t kHandlerTypeOffset = 8;
// stsd: 0 version and flags, 4 entry count, 8 first entry (0 size, 4 format).
constexpr size_t kFirstFormatOffset = 12;

const Mp4AtomRef* Find(const std::vector<Mp4AtomRef>& atoms, FourCC type) {
    const auto found = std::find_if(atoms.begin(), atoms.end(), [type](const Mp4AtomRef& a) { return a.type == type; });
    return found == atoms.end() ? nullptr : &*found;
}

std::vector<Mp4AtomRef> Children(ByteSource& source, const Mp4AtomRef* parent) {
    return parent ? ReadMp4Children(source, *parent) : std::vector<Mp4AtomRef>{};
}

// A 32-bit field at offset in version 0, at offsetV1 in version 1; 0 when the atom is too short.
uint32_t VersionedField(ByteSource& source, const Mp4AtomRef* atom, size_t offset, size_t offsetV1) {
    if (atom == nullptr) return 0;
    const std::vector<unsigned char> head = ReadMp4Payload(source, *atom, offsetV1 + 4);
    if (head.empty()) return 0;
    const size_t at = head[0] == 1 ? offsetV1 : offset;
    return head.size() >= at + 4 ? LoadBE32(&head[at]) : 0;
}

uint32_t FieldAt(ByteSource& source, const Mp4AtomRef* atom, size_t offset) {
    return VersionedField(source, atom, offset, offset);
}

void ReadMovieHeader(ByteSource& source, const Mp4AtomRef& header, Mp4Movie& movie) {
    const std::vector<unsigned char> head = ReadMp4Payload(source, header, kMovieHeaderLengthV1);
    if (head.size() >= kMovieHeaderLengthV1 && head[0] == 1) {
        movie.creationTime = LoadBE64(&head[kCreationTimeOffset]);
        movie.duration = Mp4Seconds(LoadBE64(&head[kDurationOffsetV1]), LoadBE32(&head[kAfterTimesOffsetV1]));
    } else if (head.size() >= kMovieHeaderLength && head[0] == 0) {
        movie.creationTime = LoadBE32(&head[kCreationTimeOffset]);
        movie.duration = Mp4Seconds(LoadBE32(&head[kDurationOffset]), LoadBE32(&head[kAfterTimesOffset]));
    }
}

// A track's identity and where its sample table is.
void ReadTrackIdentity(ByteSource& source, const Mp4AtomRef& trak, Mp4Track& track) {
    const std::vector<Mp4AtomRef> children = ReadMp4Children(source, trak);
    track.trackId = VersionedField(source, Find(children, kTrackHeader), kAfterTimesOffset, kAfterTimesOffsetV1);
    const std::vector<Mp4AtomRef> media = Children(source, Find(children, kMedia));
    track.timescale = VersionedField(source, Find(media, kMediaHeader), kAfterTimesOffset, kAfterTimesOffsetV1);
    const Mp4AtomRef* handler = Find(media, kHandler);
    track.handler = FieldAt(source, handler, kHandlerTypeOffset);
    const Mp4AtomRef* information = Find(media, kMediaInformation);
    track.mediaBeforeHandler = information && (handler == nullptr || information < handler);

    const std::vector<Mp4AtomRef> informationChildren = Children(source, information);
    const Mp4AtomRef* sampleTable = Find(informationChildren, kSampleTable);
    if (sampleTable == nullptr) return;
    track.sampleTable = *sampleTable;
    const std::vector<Mp4AtomRef> tables = ReadMp4Children(source, *sampleTable);
    track.format = FieldAt(source, Find(tables, kSampleDescriptions), kFirstFormatOffset);
}

}  // namespace

const Mp4AtomRef* Mp4Movie::findTopLevel(FourCC type) const { return Find(topLevel, type); }
const Mp4AtomRef* Mp4Movie::findMovieChild(FourCC type) const { return Find(movieChildren, type); }
const Mp4AtomRef* Mp4Movie::findUserData(FourCC type) const { return Find(userData, type); }

std::optional<Mp4Movie> ReadMp4Outline(ByteSource& source) {
    const int64_t fileSize = source.size();
    Mp4Movie movie;
    int64_t position = 0;
    while (movie.topLevel.size() < kMaxTopLevelAtoms) {
        const std::optional<Mp4AtomRef> atom = ReadMp4AtomHeader(source, position, fileSize, true);
        if (!atom) break;
        movie.topLevel.push_back(*atom);
        if (atom->type == kMovieFragment) movie.fragmentStarts.push_back(position);
        position = atom->offset + atom->size;
    }
    const Mp4AtomRef* moov = movie.findTopLevel(kMovie);
    if (moov == nullptr) return std::nullopt;

    movie.movieChildren = ReadMp4Children(source, *moov);
    if (const Mp4AtomRef* header = movie.findMovieChild(kMovieHeader)) ReadMovieHeader(source, *header, movie);
    movie.userData = Children(source, movie.findMovieChild(kUserData));
    for (const Mp4AtomRef& child : movie.movieChildren) {
        if (child.type != kTrack) continue;
        ReadTrackIdentity(source, child, movie.tracks.emplace_back());
    }
    return movie;
}

Mp4Movie ListMp4Samples(ByteSource& source, Mp4Movie movie, const Mp4TrackFilter& wanted) {
    const int64_t fileSize = source.size();
    Mp4SampleBudget budget;
    // The decoding time where each track's tables end, where its fragments start.
    std::vector<uint64_t> trackEnds(movie.tracks.size(), 0);
    for (size_t i = 0; i < movie.tracks.size(); ++i) {
        Mp4Track& track = movie.tracks[i];
        if (track.sampleTable && (!wanted || wanted(track)))
            trackEnds[i] = ReadMp4SampleTable(source, *track.sampleTable, fileSize, budget, track);
    }

    if (!movie.fragmentStarts.empty()) {
        std::vector<Mp4FragmentedTrack> fragmented;
        for (size_t i = 0; i < movie.tracks.size(); ++i) {
            if (!wanted || wanted(movie.tracks[i])) fragmented.push_back({&movie.tracks[i], 0, 0, trackEnds[i]});
        }
        if (const Mp4AtomRef* extends = movie.findMovieChild(kMovieExtends))
            ReadMp4TrackExtends(source, *extends, fragmented);
        size_t fragment = 0;
        for (const Mp4AtomRef& atom : movie.topLevel) {
            if (atom.type == kMovieFragment)
                ReadMp4MovieFragment(source, atom, movie.fragmentStarts[fragment++], fileSize, fragmented, budget);
        }
    }
    movie.truncated = budget.truncated;
    return movie;
}

std::optional<Mp4Movie> ReadMp4Movie(ByteSource& source, const Mp4TrackFilter& wanted) {
    std::optional<Mp4Movie> outline = ReadMp4Outline(source);
    if (!outline) return std::nullopt;
    return ListMp4Samples(source, std::move(*outline), wanted);
}
