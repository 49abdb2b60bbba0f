#include "TsPrivateGPSReader.h"

#include "BinaryFile.h"
#include "FreeGPS.h"
#include "GPSText.h"
#include "TsPackets.h"

#include <array>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

constexpr uint16_t kPatPid = 0x0000;
constexpr uint8_t kPatTableId = 0x00;
constexpr uint8_t kPmtTableId = 0x02;
constexpr uint8_t kPrivateDataType = 0x06;
constexpr uint8_t kMetadataType = 0x15;
constexpr uint8_t kPrivateStream1 = 0xBD;
constexpr uint8_t kPrivateStream2 = 0xBF;
constexpr uint8_t kMetadataStream = 0xFC;
// A GPS payload is a few hundred bytes; anything longer is not one.
constexpr size_t kMaxPayload = 4096;
// Novatek TS bodies: the record at 0, or after a 164-byte key block (Blueskysea B4K).
constexpr std::array<size_t, 2> kFreeGPSBodyStarts = {0, 164};
constexpr size_t kBodyStatus = 0x18;  // 'A' or 'V', then the two letters

// The payload of a packet: after the header and any adaptation field.
std::string_view Payload(const unsigned char* packet) {
    constexpr size_t kHeader = 4;
    const unsigned char control = (packet[3] >> 4) & 0x3;
    if (!(control & 0x1)) return {};
    size_t start = kHeader;
    if (control & 0x2) start += 1 + size_t{packet[4]};
    if (start >= kTsPacket) return {};
    return {reinterpret_cast<const char*>(packet) + start, kTsPacket - start};
}

bool IsStatus(unsigned char c) { return c == 'A' || c == 'V'; }

class PrivateStreams {
public:
    explicit PrivateStreams(GPSData& out) : out(out) {}

    bool packet(const unsigned char* packet) {
        const uint16_t pid = TsPid(packet);
        const bool unitStart = packet[1] & 0x40;
        const std::string_view payload = Payload(packet);
        if (pid == kPatPid || pmtPids.count(pid)) {
            if (unitStart) section(payload);
        } else if (unitStart) {
            finish(pid);
            begin(pid, payload);
        } else if (auto open = streams.find(pid); open != streams.end() && open->second.size() < kMaxPayload) {
            open->second.append(payload.substr(0, kMaxPayload - open->second.size()));
        }
        return !out.full();
    }

    void finishAll() {
        for (auto& [pid, payload] : streams) decode(payload);
        streams.clear();
    }

private:
    void section(std::string_view payload) {
        if (payload.empty()) return;
        const size_t pointer = static_cast<unsigned char>(payload[0]);
        if (1 + pointer + 3 > payload.size()) return;
        const auto* table = reinterpret_cast<const unsigned char*>(payload.data()) + 1 + pointer;
        const size_t length = std::min<size_t>(((table[1] & 0x0F) << 8) | table[2], payload.size() - 1 - pointer - 3);
        const unsigned char* end = table + 3 + length;
        constexpr size_t kCrc = 4;
        if (table[0] == kPatTableId) {
            // 8: (program, PID) pairs of 4 bytes up to the CRC
            for (const unsigned char* p = table + 8; p + 4 + kCrc <= end; p += 4)
                if (LoadBE16(p) != 0) pmtPids.insert(LoadBE16(p + 2) & 0x1FFF);
        } else if (table[0] == kPmtTableId && end - table >= 12) {
            const size_t infoLength = LoadBE16(table + 10) & 0x0FFF;
            // 12 + program info: (type, PID, ES info length, info) entries
            for (const unsigned char* p = table + 12 + infoLength; p + 5 + kCrc <= end;) {
                const uint8_t type = p[0];
                if (type == kPrivateDataType || type == kMetadataType) privatePids.insert(LoadBE16(p + 1) & 0x1FFF);
                p += 5 + (LoadBE16(p + 3) & 0x0FFF);
            }
        }
    }

    // A PES packet that starts here: kept when its stream is declared private or
    // its stream id says private data.
    void begin(uint16_t pid, std::string_view payload) {
        constexpr size_t kPesHeader = 9;
        if (payload.size() < kPesHeader || payload.substr(0, 3) != std::string_view("\0\0\1", 3)) return;
        const auto streamId = static_cast<uint8_t>(payload[3]);
        const bool privateId = streamId == kPrivateStream1 || streamId == kPrivateStream2 || streamId == kMetadataStream;
        if (!privateId && !privatePids.count(pid)) return;
        // private_stream_2 has no optional header
        size_t start = kPesHeader + static_cast<uint8_t>(payload[8]);
        if (streamId == kPrivateStream2) start = 6;
        if (start > payload.size()) return;
        streams[pid].assign(payload.substr(start));
    }

    void finish(uint16_t pid) {
        if (auto open = streams.find(pid); open != streams.end()) {
            decode(open->second);
            streams.erase(open);
        }
    }

    void decode(std::string_view payload) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(payload.data());
        for (const size_t start : kFreeGPSBodyStarts) {
            if (start + kBodyStatus + 3 > payload.size() || !IsStatus(bytes[start + kBodyStatus])) continue;
            if (DecodeFreeGPSBody(bytes + start, payload.size() - start, out)) {
                out.clock = GPSClock::UTC;
                return;
            }
        }
        GPSRecord record{};
        if (ParseGPSText(payload, record)) out.add(record);
    }

    GPSData& out;
    std::unordered_set<uint16_t> pmtPids, privatePids;
    std::unordered_map<uint16_t, std::string> streams;
};

}  // namespace

bool RecogniseTsPrivateGPS(const GPSProbe& probe) {
    return DetectTsLayout(probe.head.data(), probe.head.size()).has_value();
}

void ReadTsPrivateGPS(const GPSInput& input, GPSData& out) {
    std::array<unsigned char, GPSProbe::kHeadSize> head;
    const size_t got = input.source.readAt(0, head.data(), head.size());
    const std::optional<TsLayout> layout = DetectTsLayout(head.data(), got);
    if (!layout) return;
    PrivateStreams streams(out);
    ForEachTsPacket(input.source, *layout, [&](const unsigned char* packet) { return streams.packet(packet); });
    streams.finishAll();
}
