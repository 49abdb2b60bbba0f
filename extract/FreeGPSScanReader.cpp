#include "FreeGPSScanReader.h"

#include "FreeGPS.h"
#include "BinaryFile.h"
#include "InputMovie.h"
#include "MovRecognition.h"
#include "Mp4UnclaimedRanges.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Large sequential reads keep the scan at the speed of reading the file.
constexpr size_t kScanChunk = size_t{1} << 18;
constexpr int64_t kMinBoxSize = 16;

// The first signature in [at, end), or null. memmem alone costs more than
// reading the file: here 64 bytes at a time are tested for the signature's
// 'G', and only around one are two of its bytes tested at 16 positions at
// once, and the rare positions where both match compared in full.
const unsigned char* FindSignature(const unsigned char* at, const unsigned char* end) {
    const auto* signature = reinterpret_cast<const unsigned char*>(kFreeGPSSignature.data());
    constexpr size_t kLength = kFreeGPSSignature.size();
#if defined(__SSE2__)
    constexpr size_t kLanes = 16, kStep = 4 * kLanes;
    constexpr size_t kG = 4;  // the signature's 'G'
    const __m128i first = _mm_set1_epi8(static_cast<char>(signature[0]));
    const __m128i g = _mm_set1_epi8(static_cast<char>(signature[kG]));
    const auto load = [](const unsigned char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    // Every load and full comparison of a step stays before end.
    for (; end - at >= static_cast<ptrdiff_t>(kStep + kLength - 1); at += kStep) {
        const unsigned char* const gs = at + kG;
        const __m128i anyG = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(load(gs), g), _mm_cmpeq_epi8(load(gs + kLanes), g)),
                                          _mm_or_si128(_mm_cmpeq_epi8(load(gs + 2 * kLanes), g),
                                                       _mm_cmpeq_epi8(load(gs + 3 * kLanes), g)));
        if (_mm_movemask_epi8(anyG) == 0) continue;
        for (const unsigned char* lane = at; lane < at + kStep; lane += kLanes) {
            const __m128i both = _mm_and_si128(_mm_cmpeq_epi8(load(lane), first), _mm_cmpeq_epi8(load(lane + kG), g));
            for (auto candidates = static_cast<unsigned>(_mm_movemask_epi8(both)); candidates != 0;
                 candidates &= candidates - 1) {
                const unsigned char* candidate = lane + std::countr_zero(candidates);
                if (std::memcmp(candidate, signature, kLength) == 0) return candidate;
            }
        }
    }
#endif
    return static_cast<const unsigned char*>(memmem(at, static_cast<size_t>(end - at), signature, kLength));
}

}  // namespace

bool ReadFreeGPSBox(ByteSource& source, int64_t offset, int64_t size, GPSData& out) {
    // A size that lies is no reason to read past the window or the file.
    const int64_t window = std::min<int64_t>({size < kMinBoxSize ? int64_t{kFreeGPSDecodeWindow} : size,
                                              int64_t{kFreeGPSDecodeWindow}, source.size() - offset});
    if (offset < 0 || window < kMinBoxSize) return false;
    unsigned char box[kFreeGPSDecodeWindow];
    const size_t got = source.readAt(offset, box, static_cast<size_t>(window));
    if (got < kMinBoxSize ||
        std::memcmp(box + kFreeGPSSignatureOffset, kFreeGPSSignature.data(), kFreeGPSSignature.size()) != 0)
        return false;
    return DecodeFreeGPS(box, got, out);
}

bool RecogniseFreeGPSScan(const GPSProbe& probe) { return IsMovFamily(probe); }

namespace {

// The boxes whose signature lies within [begin, end), read in large pieces
// that overlap by the signature's length less one.
void ScanRange(ByteSource& source, const Mp4ByteRange& range, unsigned char* chunk, GPSData& out) {
    const size_t overlap = kFreeGPSSignature.size() - 1;
    for (int64_t position = range.begin; position < range.end && !out.full();) {
        const size_t want = static_cast<size_t>(std::min<int64_t>(int64_t{kScanChunk}, range.end - position));
        const size_t got = source.readAt(position, chunk, want);
        if (got < kFreeGPSSignature.size()) break;
        const unsigned char* const end = chunk + got;
        for (const unsigned char* hit = chunk; !out.full();) {
            hit = FindSignature(hit, end);
            if (!hit) break;
            // The signature sits 4 bytes into its box, so a hit before offset 4 is no box.
            const int64_t boxOffset = position + (hit - chunk) - int64_t{kFreeGPSSignatureOffset};
            if (boxOffset >= 0) {
                unsigned char sizeField[4];
                if (source.readExactAt(boxOffset, sizeField, sizeof sizeField))
                    ReadFreeGPSBox(source, boxOffset, LoadBE32(sizeField), out);
            }
            hit += kFreeGPSSignature.size();
        }
        if (got < want || position + int64_t(got) >= range.end) break;
        position += static_cast<int64_t>(got - overlap);
    }
}

}  // namespace

void ReadFreeGPSScan(const GPSInput& input, GPSData& out) {
    ByteSource& source = input.source;
    out.clock = GPSClock::UTC;
    const auto chunk = std::make_unique_for_overwrite<unsigned char[]>(kScanChunk);
    // The boxes lie beside the video and sound, so only what those tracks do
    // not claim is searched first; tables that hide the boxes all the same
    // send the search over the whole file.
    const std::vector<Mp4ByteRange> unclaimed = ReadMp4UnclaimedRanges(source, ReadInputOutline(input));
    for (const Mp4ByteRange& range : unclaimed) ScanRange(source, range, chunk.get(), out);
    const bool wholeFile = unclaimed.size() == 1 && unclaimed[0].begin == 0 && unclaimed[0].end == source.size();
    if (out.records.empty() && !wholeFile) ScanRange(source, {0, source.size()}, chunk.get(), out);
}
