#include "MovSubtitle.h"

#include "BinaryFile.h"
#include "MovAtomWalk.h"

#include <cstdint>
#include <string_view>

namespace {

// Subtitle sample: 0 length L (big-endian, unsigned 16-bit, text only), 2 text.
constexpr int64_t kSampleLengthSize = 2;

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool IsValidUTF8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t continuation = 0;
        unsigned char low = 0x80, high = 0xBF;  // range of the first continuation byte
        if (lead < 0x80) {
            continuation = 0;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            continuation = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            continuation = 2;
            if (lead == 0xE0) low = 0xA0;        // overlong
            if (lead == 0xED) high = 0x9F;       // surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            continuation = 3;
            if (lead == 0xF0) low = 0x90;        // overlong
            if (lead == 0xF4) high = 0x8F;       // above U+10FFFF
        } else {
            return false;
        }
        if (text.size() - i - 1 < continuation) return false;
        for (size_t k = 1; k <= continuation; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            const unsigned char min = k == 1 ? low : 0x80;
            const unsigned char max = k == 1 ? high : 0xBF;
            if (byte < min || byte > max) return false;
        }
        i += continuation + 1;
    }
    return true;
}

// The sample's text up to its first NUL. A sample that cannot be read whole or
// is not valid UTF-8 gives an empty string rather than being dropped, so the
// list keeps one entry per sample in table order and a caller can still pair
// entries with the track's sample times. None once the samples read so far
// would exceed bytesLeft.
std::optional<std::string> OneSubtitle(BinaryFile& file, uint32_t offset, int64_t& bytesLeft) {
    if (!file.seek(offset)) return std::string{};
    const std::optional<uint16_t> length = file.readBE16();
    if (!length) return std::string{};
    bytesLeft -= kSampleLengthSize + *length;
    if (bytesLeft < 0) return std::nullopt;

    std::optional<std::string> text = file.readText(*length);
    if (!text) return std::string{};
    const size_t nul = text->find('\0');
    if (nul != std::string::npos) text->resize(nul);
    if (!IsValidUTF8(*text)) return std::string{};
    return text;
}

}  // namespace

std::optional<std::vector<std::string>> MovSubtitle::GetSubtitle(const std::string& path) {
    BinaryFile file(path.c_str());
    if (!file.isOpen()) return std::nullopt;

    std::vector<std::string> subtitles;
    // Samples of a sound file do not overlap; a table that points at the same
    // bytes over and over stops once it has read more than the file holds.
    int64_t bytesLeft = file.size();
    for (const uint32_t offset : MovAtomWalk(file).ReadTextChunkOffsets()) {
        std::optional<std::string> text = OneSubtitle(file, offset, bytesLeft);
        if (!text) break;
        subtitles.push_back(std::move(*text));
    }
    return subtitles;
}
