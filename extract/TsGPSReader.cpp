#include "TsGPSReader.h"

#include "BinaryFile.h"
#include "GPSText.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>

namespace {

constexpr size_t kPacketSize = 188;
// Whole packets per read, so packet boundaries stay at multiples of 188 from
// offset 0; about 256 KiB, so a block is still in the processor's cache when
// its packets are tested (a megabyte made the reader a third slower).
constexpr size_t kPacketsPerRead = 1394;
constexpr unsigned char kSyncByte = 0x47;
constexpr uint16_t kPidMask = 0x1FFF;
constexpr uint16_t kGPSPid = 0x1600;

// Packet layout of a GPS packet.
constexpr size_t kPidOffset = 1;               // 1: PID in the low 13 bits, big-endian
constexpr size_t kAdaptationLengthOffset = 4;  // 4: A
constexpr size_t kPesHeaderLengthBase = 13;    // 13 + A: H, after the 8 fixed PES bytes
constexpr size_t kPayloadBase = 14;            // 14 + A + H: payload text to the end of the packet
constexpr size_t kMaxHeaderSpan = kPacketSize - kPayloadBase;  // A + H may use up 174 bytes

bool IsGPSPacket(const unsigned char* packet) {
    return packet[0] == kSyncByte && (LoadBE16(packet + kPidOffset) & kPidMask) == kGPSPid;
}

// None when A + H leaves no room in the packet: the text would have negative
// length, and H itself lies past the packet once A exceeds 174.
std::optional<std::string_view> ReadPacketPayload(const unsigned char* packet) {
    const size_t adaptationLength = packet[kAdaptationLengthOffset];
    if (adaptationLength > kMaxHeaderSpan) return std::nullopt;
    const size_t pesHeaderLength = packet[kPesHeaderLengthBase + adaptationLength];
    if (adaptationLength + pesHeaderLength > kMaxHeaderSpan) return std::nullopt;
    const size_t start = kPayloadBase + adaptationLength + pesHeaderLength;
    return std::string_view(reinterpret_cast<const char*>(packet) + start, kPacketSize - start);
}

}  // namespace

bool TsGPSReader::recognise(const GPSProbe& probe) {
    if (probe.extension == "TS") return true;
    // Three sync bytes one packet apart.
    const auto& head = probe.head;
    return head.size() > 2 * kPacketSize && head[0] == kSyncByte && head[kPacketSize] == kSyncByte &&
           head[2 * kPacketSize] == kSyncByte;
}

void TsGPSReader::read(const GPSInput& input, GPSData& out) {
    BinaryFile file(input.source);
    // Large reads straight into our buffer; the packets are then tested in memory.
    file.setUnbuffered();
    // No bigger than the file needs; left uninitialised, as only bytes read are examined.
    const size_t blockSize =
        std::clamp<int64_t>(file.size(), kPacketSize, kPacketSize * kPacketsPerRead) / kPacketSize * kPacketSize;
    const auto block = std::make_unique_for_overwrite<unsigned char[]>(blockSize);
    for (;;) {
        const size_t got = file.readSome(block.get(), blockSize);
        // A final packet cut short by the end of the file holds no whole text.
        const size_t packets = got / kPacketSize;
        for (size_t i = 0; i < packets; ++i) {
            const unsigned char* packet = block.get() + i * kPacketSize;
            if (!IsGPSPacket(packet)) continue;
            const std::optional<std::string_view> payload = ReadPacketPayload(packet);
            GPSRecord record{};
            if (payload && ParseGPSText(*payload, record) && !out.add(record)) return;
        }
        if (got < blockSize) break;
    }
}
