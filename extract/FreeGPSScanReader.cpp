#include "FreeGPSScanReader.h"

#include "FreeGPS.h"
#include "BinaryFile.h"
#include "MovRecognition.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Large sequential reads keep the scan at the speed of reading the file.
constexpr size_t kScanChunk = size_t{1} << 20;
constexpr int64_t kMinBoxSize = 16;

}  // namespace

bool ReadFreeGPSBox(ByteSource& source, int64_t offset, int64_t size, GPSData& out) {
    // A size that lies is no reason to read past the window or the file.
    const int64_t window = std::min<int64_t>({size < kMinBoxSize ? int64_t{kFreeGPSDecodeWindow} : size,
                                              int64_t{kFreeGPSDecodeWindow}, source.size() - offset});
    if (offset < 0 || window < kMinBoxSize) return false;
    std::vector<unsigned char> box(static_cast<size_t>(window));
    const size_t got = source.readAt(offset, box.data(), box.size());
    if (got < kMinBoxSize ||
        std::memcmp(box.data() + kFreeGPSSignatureOffset, kFreeGPSSignature.data(), kFreeGPSSignature.size()) != 0)
        return false;
    return DecodeFreeGPS(box.data(), got, out);
}

bool RecogniseFreeGPSScan(const GPSProbe& probe) { return IsMovFamily(probe); }

void ReadFreeGPSScan(const GPSInput& input, GPSData& out) {
    ByteSource& source = input.source;
    out.clock = GPSClock::UTC;
    const auto chunk = std::make_unique_for_overwrite<unsigned char[]>(kScanChunk);
    const size_t overlap = kFreeGPSSignature.size() - 1;
    // The signature sits 4 bytes into its box, so a hit before offset 4 is no box.
    for (int64_t position = 0; position < source.size() && !out.full();) {
        const size_t got = source.readAt(position, chunk.get(), kScanChunk);
        if (got < kFreeGPSSignature.size()) break;
        const unsigned char* const begin = chunk.get();
        const unsigned char* const end = begin + got;
        for (const unsigned char* hit = begin; !out.full();) {
            hit = static_cast<const unsigned char*>(
                memmem(hit, static_cast<size_t>(end - hit), kFreeGPSSignature.data(), kFreeGPSSignature.size()));
            if (!hit) break;
            const int64_t boxOffset = position + (hit - begin) - int64_t{kFreeGPSSignatureOffset};
            if (boxOffset >= 0) {
                unsigned char sizeField[4];
                if (source.readExactAt(boxOffset, sizeField, sizeof sizeField))
                    ReadFreeGPSBox(source, boxOffset, LoadBE32(sizeField), out);
            }
            hit += kFreeGPSSignature.size();
        }
        if (got < kScanChunk) break;
        position += static_cast<int64_t>(got - overlap);
    }
}
