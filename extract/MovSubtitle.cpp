#include "MovSubtitle.h"

#include "ByteSource.h"
#include "Mp4Movie.h"
#include "TextTrackSamples.h"

#include <cstdint>
#include <string_view>

namespace {

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

}  // namespace

std::optional<std::vector<std::string>> MovSubtitle::GetSubtitle(const std::string& path) {
    FileByteSource source(path);
    if (!source.isOpen()) return std::nullopt;

    std::vector<std::string> subtitles;
    const std::optional<Mp4Movie> movie = ReadMp4Movie(source, IsTextTrack);
    if (!movie) return subtitles;
    // A sample that cannot be read whole or is not valid UTF-8 gives an empty
    // string rather than being dropped, so the list keeps one entry per sample
    // and a caller can still pair entries with the track's sample times.
    ForEachTextSample(source, *movie, TextLengthPrefix::TextOnly,
                      [&subtitles](const std::optional<std::string>& text, const Mp4Sample&) {
                          std::string subtitle = text ? text->substr(0, text->find('\0')) : std::string{};
                          subtitles.push_back(IsValidUTF8(subtitle) ? std::move(subtitle) : std::string{});
                          return true;
                      });
    return subtitles;
}
