#include "TextTrackSamples.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr FourCC kTextHandler = MakeFourCC("text");
constexpr FourCC kSubtitleHandler = MakeFourCC("sbtl");
constexpr FourCC kSubtitleHandler3GP = MakeFourCC("subt");

// Text sample: 0 length (big-endian, 16-bit), 2 text, then what a format adds
// (3GPP style boxes), which no length reaches.
constexpr int64_t kLengthSize = 2;
constexpr size_t kLongestSample = kLengthSize + UINT16_MAX;

enum class Read { Text, NoText, OverBudget };

// A sample whose size the tables give: read whole, the length judged against it.
Read ReadSizedSample(ByteSource& source, const Mp4Sample& sample, int64_t& bytesLeft, std::string& text) {
    bytesLeft -= sample.size;
    if (bytesLeft < 0) return Read::OverBudget;
    if (sample.size < kLengthSize) return Read::NoText;
    std::string bytes(std::min<size_t>(sample.size, kLongestSample), '\0');
    if (!source.readExactAt(sample.offset, bytes.data(), bytes.size())) return Read::NoText;
    const uint16_t length = LoadBE16(reinterpret_cast<const unsigned char*>(bytes.data()));
    size_t textLength = 0;
    if (length + kLengthSize <= sample.size) {
        textLength = length;
    } else if (length >= kLengthSize) {
        textLength = std::min<size_t>(length, sample.size) - kLengthSize;
    } else {
        return Read::NoText;
    }
    text.assign(bytes, kLengthSize, textLength);
    return Read::Text;
}

// A sample of unknown size: the length alone says how much to read.
Read ReadUnsizedSample(ByteSource& source, const Mp4Sample& sample, TextLengthPrefix prefix, int64_t& bytesLeft,
                       std::string& text) {
    unsigned char lengthBytes[kLengthSize];
    if (!source.readExactAt(sample.offset, lengthBytes, kLengthSize)) return Read::NoText;
    // A length that counts itself is signed: 0x8000 and above are negative.
    const int64_t textLength = prefix == TextLengthPrefix::CountsItself
                                   ? int64_t{static_cast<int16_t>(LoadBE16(lengthBytes))} - kLengthSize
                                   : int64_t{LoadBE16(lengthBytes)};
    if (textLength < 0) return Read::NoText;
    bytesLeft -= kLengthSize + textLength;
    if (bytesLeft < 0) return Read::OverBudget;
    text.assign(static_cast<size_t>(textLength), '\0');
    if (!source.readExactAt(sample.offset + kLengthSize, text.data(), text.size())) return Read::NoText;
    return Read::Text;
}

}  // namespace

bool IsTextTrack(const Mp4Track& track) {
    return track.handler == kTextHandler || track.handler == kSubtitleHandler ||
           track.handler == kSubtitleHandler3GP || track.mediaBeforeHandler;
}

void ForEachTextSample(ByteSource& source, const Mp4Movie& movie, TextLengthPrefix withoutSizes,
                       const TextSampleVisitor& visit) {
    int64_t bytesLeft = source.size();
    std::string text;
    for (const Mp4Track& track : movie.tracks) {
        if (!IsTextTrack(track)) continue;
        for (const Mp4Sample& sample : track.samples) {
            const Read read = track.sizesKnown ? ReadSizedSample(source, sample, bytesLeft, text)
                                               : ReadUnsizedSample(source, sample, withoutSizes, bytesLeft, text);
            if (read == Read::OverBudget) return;
            if (!visit(read == Read::Text ? std::optional<std::string>(text) : std::nullopt, sample)) return;
        }
    }
}
