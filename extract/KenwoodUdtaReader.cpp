#include "KenwoodUdtaReader.h"

#include "DialectFields.h"
#include "IsoAtoms.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr FourCC kUserDataAtom = MakeFourCC("udta");
constexpr std::string_view kSignature = "VIDEOUUUUUUUUUUUUUUUUUUUUUU";
// Records follow two 0xFE bytes and run to the next 0xFE.
constexpr std::string_view kRecordMark = "\xFE\xFE";
constexpr char kRecordEnd = '\xFE';
// Far more than a day of records; a larger atom is read up to this much.
constexpr int64_t kMaxPayload = 64 << 20;

// A record: 0 the camera's date and time yyyyMMddHHmmss, one separator, a
// second date and time (unused), one separator, then N|S and the latitude
// as ddmm.mmmm x 10^4, E|W and the longitude the same way, the altitude
// (sign and 4 digits, metres), the speed (digits, km/h), then G-sensor
// readings as signed triples in thousandths of g.
constexpr size_t kDateTimeLength = 14;
constexpr size_t kPositionOffset = 2 * (kDateTimeLength + 1);
constexpr double kCoordinateScale = 1e4;
constexpr size_t kAltitudeLength = 5;
constexpr double kHundredthsPerThousandth = 0.1;

std::optional<Mp4AtomRef> FindKenwoodAtom(ByteSource& source) {
    for (const Mp4AtomRef& atom : ReadTopLevelAtoms(source).atoms) {
        char head[kSignature.size()];
        if (atom.type == kUserDataAtom && atom.size >= int64_t(sizeof head) &&
            source.readExactAt(atom.offset, head, sizeof head) && std::string_view(head, sizeof head) == kSignature)
            return atom;
    }
    return std::nullopt;
}

// Reads digits (and a leading sign when signed) from text at pos.
template <typename Number>
bool TakeNumber(std::string_view text, size_t& pos, size_t length, Number& value) {
    if (length == 0 || pos > text.size() || length > text.size() - pos) return false;
    const char* first = text.data() + pos;
    if (*first == '+') ++first;  // from_chars takes '-' only
    const auto [end, error] = std::from_chars(first, text.data() + pos + length, value);
    if (error != std::errc() || end != text.data() + pos + length) return false;
    pos += length;
    return true;
}

size_t DigitsAt(std::string_view text, size_t pos) {
    size_t n = 0;
    while (pos + n < text.size() && text[pos + n] >= '0' && text[pos + n] <= '9') ++n;
    return n;
}

bool TakeCoordinate(std::string_view text, size_t& pos, char positive, char negative, char& ref, double& degrees) {
    if (pos >= text.size() || (text[pos] != positive && text[pos] != negative)) return false;
    ref = text[pos++];
    int64_t scaled = 0;
    if (!TakeNumber(text, pos, DigitsAt(text, pos), scaled)) return false;
    degrees = DegreesFromDegreesMinutes(double(scaled) / kCoordinateScale);
    return true;
}

bool TakeSigned(std::string_view text, size_t& pos, int& value) {
    if (pos >= text.size() || (text[pos] != '+' && text[pos] != '-')) return false;
    return TakeNumber(text, pos, 1 + DigitsAt(text, pos + 1), value);
}

bool ParseRecord(std::string_view text, GPSRecord& record) {
    size_t pos = 0;
    if (!TakeNumber(text, pos, 4, record.year) || !TakeNumber(text, pos, 2, record.month) ||
        !TakeNumber(text, pos, 2, record.day) || !TakeNumber(text, pos, 2, record.hour) ||
        !TakeNumber(text, pos, 2, record.minute) || !TakeNumber(text, pos, 2, record.second))
        return false;
    pos = kPositionOffset;
    char latRef = 0, lonRef = 0;
    double lat = 0, lon = 0;
    if (!TakeCoordinate(text, pos, 'N', 'S', latRef, lat) || !TakeCoordinate(text, pos, 'E', 'W', lonRef, lon))
        return false;
    record.latRef = latRef;
    record.lonRef = lonRef;
    record.lat = lat;
    record.lon = lon;
    int altitude = 0, speed = 0;
    if (!TakeNumber(text, pos, kAltitudeLength, altitude) || !TakeNumber(text, pos, DigitsAt(text, pos), speed))
        return true;  // a fix without the optional fields
    record.altitude = altitude;
    record.speed = speed * kKnotsPerKmh;
    int x = 0, y = 0, z = 0;
    if (TakeSigned(text, pos, x) && TakeSigned(text, pos, y) && TakeSigned(text, pos, z)) {
        record.gsX = x * kHundredthsPerThousandth;
        record.gsY = y * kHundredthsPerThousandth;
        record.gsZ = z * kHundredthsPerThousandth;
    }
    return true;
}

}  // namespace

bool RecogniseKenwoodUdta(const GPSProbe& probe) { return FindKenwoodAtom(probe.source).has_value(); }

void ReadKenwoodUdta(const GPSInput& input, GPSData& out) {
    const std::optional<Mp4AtomRef> atom = FindKenwoodAtom(input.source);
    if (!atom) return;
    std::string payload(size_t(std::min(atom->size, kMaxPayload)), '\0');
    payload.resize(input.source.readAt(atom->offset, payload.data(), payload.size()));
    const std::string_view text(payload);
    for (size_t mark = text.find(kRecordMark); mark != std::string_view::npos; mark = text.find(kRecordMark, mark)) {
        const size_t start = mark + kRecordMark.size();
        const size_t end = std::min(text.find(kRecordEnd, start), text.size());
        GPSRecord record{};
        if (ParseRecord(text.substr(start, end - start), record) && !out.add(record)) return;
        mark = end;
    }
}
