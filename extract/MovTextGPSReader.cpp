#include "MovTextGPSReader.h"

#include "BinaryFile.h"
#include "GPSText.h"
#include "MovAtomWalk.h"
#include "MovRecognition.h"

#include <optional>
#include <string>

namespace {

// Text sample: 0 length L (big-endian, signed 16-bit, counting these two
// bytes), 2 text of L - 2 bytes.
constexpr int64_t kSampleLengthSize = 2;

enum class SampleRead { Text, NoText, OverBudget };

// Reads the text at offset; no text when the sample is malformed or cut short.
// Over budget once the samples read so far would exceed bytesLeft.
SampleRead ReadTextSample(BinaryFile& file, uint32_t offset, int64_t& bytesLeft, std::string& text) {
    if (!file.seek(offset)) return SampleRead::NoText;
    const std::optional<uint16_t> length = file.readBE16();
    if (!length) return SampleRead::NoText;
    const int64_t textLength = int64_t{static_cast<int16_t>(*length)} - kSampleLengthSize;
    if (textLength < 0) return SampleRead::NoText;
    bytesLeft -= kSampleLengthSize + textLength;
    if (bytesLeft < 0) return SampleRead::OverBudget;
    std::optional<std::string> read = file.readText(static_cast<size_t>(textLength));
    if (!read) return SampleRead::NoText;
    text = std::move(*read);
    return SampleRead::Text;
}

}  // namespace

bool MovTextGPSReader::recognise(const GPSProbe& probe) { return IsMovFamily(probe); }

void MovTextGPSReader::read(const GPSInput& input, GPSData& out) {
    BinaryFile file(input.source);
    // Samples of a sound file do not overlap, so together they fit in the file;
    // a table that points at the same bytes over and over cannot make the
    // reader read more than that.
    int64_t bytesLeft = file.size();
    std::string text;
    for (const uint32_t offset : MovAtomWalk(file).ReadTextChunkOffsets()) {
        const SampleRead sample = ReadTextSample(file, offset, bytesLeft, text);
        if (sample == SampleRead::OverBudget) return;
        GPSRecord record{};
        if (sample == SampleRead::Text && ParseGPSText(text, record) && !out.add(record)) return;
    }
}
