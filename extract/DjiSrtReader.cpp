#include "DjiSrtReader.h"

#include "DialectFields.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace {

// A cue a frame: far more than hours of them; a larger file is read this far.
constexpr int64_t kMaxFileSize = 256 << 20;

// Field names as the firmwares spell them (some write "longtitude").
constexpr std::string_view kLatitudeNames[] = {"latitude"};
constexpr std::string_view kLongitudeNames[] = {"longitude", "longtitude"};
constexpr std::string_view kAltitudeNames[] = {"abs_alt"};

// "yyyy-MM-dd HH:mm:ss" then '.' or ',' and the milliseconds.
constexpr size_t kDateTimeLength = 19;

std::optional<double> ParseNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// The value after "name:" (spaces allowed before the colon) anywhere in line.
template <size_t N>
std::optional<double> FindField(std::string_view line, const std::string_view (&names)[N]) {
    for (const std::string_view name : names) {
        for (size_t at = line.find(name); at != std::string_view::npos; at = line.find(name, at + 1)) {
            if (at > 0 && (std::isalnum(static_cast<unsigned char>(line[at - 1])) || line[at - 1] == '_')) continue;
            size_t colon = at + name.size();
            while (colon < line.size() && line[colon] == ' ') ++colon;
            if (colon < line.size() && line[colon] == ':') return ParseNumber(line.substr(colon + 1));
        }
    }
    return std::nullopt;
}

int Digits(std::string_view text, size_t pos, size_t length) {
    int value = 0;
    for (size_t i = pos; i < pos + length; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

bool ParseDateTime(std::string_view line, GPSRecord& record) {
    constexpr std::string_view kPattern = "dddd-dd-dd dd:dd:dd";
    if (line.size() < kDateTimeLength) return false;
    for (size_t i = 0; i < kDateTimeLength; ++i) {
        const bool digit = line[i] >= '0' && line[i] <= '9';
        if (kPattern[i] == 'd' ? !digit : line[i] != kPattern[i]) return false;
    }
    record.year = Digits(line, 0, 4);
    record.month = Digits(line, 5, 2);
    record.day = Digits(line, 8, 2);
    record.hour = Digits(line, 11, 2);
    record.minute = Digits(line, 14, 2);
    record.second = Digits(line, 17, 2);
    record.millisecond = 0;
    size_t pos = kDateTimeLength;
    if (pos < line.size() && (line[pos] == '.' || line[pos] == ',')) {
        int scale = 100;
        for (++pos; pos < line.size() && line[pos] >= '0' && line[pos] <= '9' && scale > 0; ++pos, scale /= 10)
            record.millisecond += (line[pos] - '0') * scale;
    }
    return true;
}

}  // namespace

bool RecogniseDjiSrt(const GPSProbe& probe) {
    const std::string_view head(reinterpret_cast<const char*>(probe.head.data()), probe.head.size());
    return probe.extension == "SRT" && head.find("-->") != std::string_view::npos &&
           FindField(head, kLatitudeNames).has_value();
}

void ReadDjiSrt(const GPSInput& input, GPSData& out) {
    std::string text(size_t(std::clamp<int64_t>(input.source.size(), 0, kMaxFileSize)), '\0');
    text.resize(input.source.readAt(0, text.data(), text.size()));
    // The date line precedes the fields of its cue; a cue without one keeps the last date.
    GPSRecord current{};
    bool dated = false;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = std::string_view(text).substr(start, end - start);
        start = end + 1;
        const size_t date = line.find_first_of("0123456789");
        if (date != std::string_view::npos && ParseDateTime(line.substr(date), current)) {
            dated = true;
            continue;
        }
        const std::optional<double> latitude = FindField(line, kLatitudeNames);
        const std::optional<double> longitude = FindField(line, kLongitudeNames);
        if (!dated || !latitude || !longitude) continue;
        GPSRecord record = current;
        SetSignedPosition(record, *latitude, *longitude);
        if (const std::optional<double> altitude = FindField(line, kAltitudeNames)) record.altitude = *altitude;
        if (!out.add(record)) return;
    }
}
