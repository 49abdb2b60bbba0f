#include "AviHeader.h"

#include "BinaryFile.h"

#include <cstring>

namespace {

// 0: "RIFF", 4: size, 8: "AVI ", 12: "LIST", 16: size, 20: "hdrl",
// 24: "avih", 28: size, 32: the main header's fields.
constexpr size_t kMainHeaderAt = 32;
constexpr size_t kMicrosecondsPerFrameAt = kMainHeaderAt + 0;
constexpr size_t kTotalFramesAt = kMainHeaderAt + 16;
constexpr size_t kHeadBytes = kTotalFramesAt + 4;

bool Is(const unsigned char* at, const char (&code)[5]) { return std::memcmp(at, code, 4) == 0; }

}  // namespace

std::optional<double> AviDurationSeconds(ByteSource& source) {
    unsigned char head[kHeadBytes];
    if (!source.readExactAt(0, head, sizeof head)) return std::nullopt;
    if (!Is(head, "RIFF") || !Is(head + 8, "AVI ") || !Is(head + 12, "LIST") || !Is(head + 20, "hdrl") ||
        !Is(head + 24, "avih") || LoadLE32(head + 28) < kHeadBytes - kMainHeaderAt)
        return std::nullopt;
    const uint32_t microseconds = LoadLE32(head + kMicrosecondsPerFrameAt);
    const uint32_t frames = LoadLE32(head + kTotalFramesAt);
    if (microseconds == 0 || frames == 0) return std::nullopt;
    return static_cast<double>(frames) * microseconds / 1e6;
}
