#include "TsPackets.h"

namespace {

constexpr size_t kProbedPackets = 4;
constexpr size_t kM2tsPacket = 192;
constexpr size_t kM2tsPrefix = 4;

bool SyncEvery(const unsigned char* head, size_t size, size_t start, size_t stride) {
    if (start + kTsPacket > size) return false;
    for (size_t k = 0, at = start; k < kProbedPackets && at < size; ++k, at += stride)
        if (head[at] != kTsSync) return false;
    return true;
}

}  // namespace

std::optional<TsLayout> DetectTsLayout(const unsigned char* head, size_t size) {
    if (SyncEvery(head, size, 0, kTsPacket)) return TsLayout{0, kTsPacket};
    if (SyncEvery(head, size, kM2tsPrefix, kM2tsPacket)) return TsLayout{kM2tsPrefix, kM2tsPacket};
    return std::nullopt;
}
