#pragma once

#include "ByteSource.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

inline constexpr size_t kTsPacket = 188;
inline constexpr unsigned char kTsSync = 0x47;

// Where the packets of a transport stream lie: 188-byte packets from offset
// 0, or the 192-byte packets of .M2TS/.MTS files, a 4-byte timestamp before
// each, from offset 4.
struct TsLayout {
    int64_t start;
    size_t stride;
};

// Recognised by content: sync bytes one stride apart in the first packets.
std::optional<TsLayout> DetectTsLayout(const unsigned char* head, size_t size);

inline uint16_t TsPid(const unsigned char* packet) { return static_cast<uint16_t>(((packet[1] & 0x1F) << 8) | packet[2]); }

// Hands every whole packet to visit (const unsigned char* packet) -> bool,
// in file order, reading blocks of about 256 KiB, small enough to stay in
// the processor's cache while their packets are tested; stops when visit returns false. A
// packet without its sync byte is passed over, as is a last one cut short.
template <class Visit>
void ForEachTsPacket(ByteSource& source, const TsLayout& layout, Visit visit) {
    constexpr size_t kPacketsPerRead = 1365;  // about 256 KiB of 192-byte packets
    const size_t blockSize = layout.stride * kPacketsPerRead;
    const auto block = std::make_unique_for_overwrite<unsigned char[]>(blockSize);
    for (int64_t position = layout.start; position < source.size();) {
        const size_t got = source.readAt(position, block.get(), blockSize);
        // A last packet needs its 188 bytes, not its whole stride.
        const size_t packets = got < kTsPacket ? 0 : (got - kTsPacket) / layout.stride + 1;
        for (size_t i = 0; i < packets; ++i) {
            const unsigned char* packet = block.get() + i * layout.stride;
            if (packet[0] == kTsSync && !visit(packet)) return;
        }
        if (got < blockSize) return;
        position += static_cast<int64_t>(blockSize);
    }
}
