#include "NmeaSideFileReader.h"

#include "NmeaParser.h"

#include <vector>

namespace {

constexpr size_t kChunkSize = 64 * 1024;
// "[1534829398000]": milliseconds since 1970, far fewer digits than this.
constexpr size_t kMaxStampDigits = 15;

// "[digits]" as a number; none for anything else.
std::optional<int64_t> ReadClockStamp(std::string_view piece) {
    if (piece.size() < 3 || piece.front() != '[') return std::nullopt;
    int64_t value = 0;
    size_t i = 1;
    for (; i < piece.size() && i <= kMaxStampDigits && piece[i] >= '0' && piece[i] <= '9'; ++i)
        value = value * 10 + (piece[i] - '0');
    if (i == 1 || i >= piece.size() || piece[i] != ']') return std::nullopt;
    return value;
}

}  // namespace

bool LooksLikeNmea(std::string_view text) {
    for (size_t at = text.find('$'); at != std::string_view::npos; at = text.find('$', at + 1)) {
        if (at + 7 > text.size()) break;
        const std::string_view type = text.substr(at + 3, 4);
        if (type == "RMC," || type == "GGA,") return true;
    }
    return false;
}

bool RecogniseNmeaSideFile(const GPSProbe& probe) {
    return LooksLikeNmea({reinterpret_cast<const char*>(probe.head.data()), probe.head.size()});
}

// The log is cut into pieces at line ends and before every '$', so that a
// sentence run into the next, or a file without any line end, still reads;
// a piece longer than any sentence or stamp is skipped.
std::optional<int64_t> ReadNmeaLog(ByteSource& source, GPSData& out) {
    NmeaParser parser(out);
    std::optional<int64_t> stamp, firstStamp;
    std::string piece;
    bool overlong = false;
    bool more = true;
    const auto endPiece = [&] {
        if (!overlong && !piece.empty()) {
            if (const std::optional<int64_t> read = ReadClockStamp(piece)) {
                stamp = read;
                if (!firstStamp) firstStamp = read;
            }
            more = parser.readText(piece, stamp);
        }
        piece.clear();
        overlong = false;
    };
    std::vector<char> chunk(kChunkSize);
    int64_t offset = 0;
    while (more) {
        const size_t read = source.readAt(offset, chunk.data(), chunk.size());
        if (read == 0) break;
        offset += static_cast<int64_t>(read);
        for (size_t i = 0; i < read && more; ++i) {
            const char c = chunk[i];
            if (c == '\r' || c == '\n' || c == '$') endPiece();
            if (c == '\r' || c == '\n' || overlong) continue;
            overlong = piece.size() == NmeaParser::kMaxSentenceLength;
            if (overlong) piece.clear();
            else piece += c;
        }
    }
    if (more) endPiece();
    parser.finish();
    return firstStamp;
}

void ReadNmeaSideFile(const GPSInput& input, GPSData& out) { ReadNmeaLog(input.source, out); }
