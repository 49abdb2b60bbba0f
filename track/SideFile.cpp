#include "SideFile.h"

#include "LenientNumber.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr char kSeparatorA = '\x03';
constexpr char kSeparatorB = '\x0C';

constexpr size_t kTimestampLength = 14;

// Character positions of a record line.
constexpr size_t kLatRef = 0;
constexpr size_t kLatDegrees = 1, kLatDegreesWidth = 2;
constexpr size_t kLatMinutes = 3, kMinutesWidth = 6;  // minutes x 10,000
constexpr size_t kLonRef = 9;
constexpr size_t kLonDegrees = 10, kLonDegreesWidth = 3;
constexpr size_t kLonMinutes = 13;
// Lines longer than this carry G-sensor samples of X, Y, Z, 4 characters each.
constexpr size_t kMaxLineWithoutSamples = 63;
constexpr size_t kSamples = 27;
constexpr size_t kSampleWidth = 12, kAxisWidth = 4;
constexpr size_t kSampleCount = 16;
constexpr size_t kFullSampleBlockEnd = kSamples + kSampleCount * kSampleWidth;  // 219

// Minutes x 10,000 -> degrees.
constexpr double kMinuteUnitsPerDegree = 600000.0;

double ReadCoordinate(std::string_view line, char ref, char negativeRef, size_t degrees,
                      size_t degreesWidth, size_t minutes) {
    const double deg = ReadLenientDecimal(line.substr(degrees, degreesWidth));
    const double fraction = ReadLenientDecimal(line.substr(minutes, kMinutesWidth)) / kMinuteUnitsPerDegree;
    return ref == negativeRef ? -fraction - deg : deg + fraction;
}

// Lines that stop short of the full block keep the samples that end before
// their timestamp, so that no sample reads timestamp digits.
size_t SampleCount(size_t lineLength) {
    if (lineLength <= kMaxLineWithoutSamples) return 0;
    if (lineLength >= kFullSampleBlockEnd) return kSampleCount;
    return std::min(kSampleCount, (lineLength - kTimestampLength - kSamples) / kSampleWidth);
}

// The mean of the axis over the samples, fraction cut toward zero. Summed as
// integers: adding up value / 1600 in floating point lands just below whole
// means (16 samples of 995 would average 994).
int16_t AxisMean(std::string_view line, size_t axis, size_t count) {
    if (count == 0) return 0;
    int64_t sum = 0;
    for (size_t k = 0; k < count; ++k)
        sum += ReadLenientInt(line.substr(kSamples + kSampleWidth * k + kAxisWidth * axis, kAxisWidth));
    return static_cast<int16_t>(sum / static_cast<int64_t>(count));
}

}  // namespace

std::optional<std::string> ReadSideFileText(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxSideFileBytes) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || text.size() > kMaxSideFileBytes) return std::nullopt;
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) return std::nullopt;
    return text;
}

std::vector<std::string_view> SplitSideFileComponents(std::string_view text) {
    std::vector<std::string_view> components;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == kSeparatorA || text[i] == kSeparatorB) {
            components.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return components;
}

std::optional<CalendarTime> ReadSideFileTimestamp(std::string_view component) {
    if (component.size() < kTimestampLength) return std::nullopt;
    const std::string_view stamp = component.substr(component.size() - kTimestampLength);
    return CalendarTime{ReadLenientInt(stamp.substr(0, 4)),  ReadLenientInt(stamp.substr(4, 2)),
                        ReadLenientInt(stamp.substr(6, 2)),  ReadLenientInt(stamp.substr(8, 2)),
                        ReadLenientInt(stamp.substr(10, 2)), ReadLenientInt(stamp.substr(12, 2))};
}

bool IsRecordLine(std::string_view component) {
    return component.size() >= kMinRecordLineLength &&
           (component[kLatRef] == 'N' || component[kLatRef] == 'S') &&
           (component[kLonRef] == 'E' || component[kLonRef] == 'W');
}

SideFileFix ReadRecordLine(std::string_view line) {
    SideFileFix fix;
    fix.lat = ReadCoordinate(line, line[kLatRef], 'S', kLatDegrees, kLatDegreesWidth, kLatMinutes);
    fix.lon = ReadCoordinate(line, line[kLonRef], 'W', kLonDegrees, kLonDegreesWidth, kLonMinutes);
    const size_t count = SampleCount(line.size());
    fix.gsX = AxisMean(line, 0, count);
    fix.gsY = AxisMean(line, 1, count);
    fix.gsZ = AxisMean(line, 2, count);
    return fix;
}
