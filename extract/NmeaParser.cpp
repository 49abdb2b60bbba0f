#include "NmeaParser.h"

#include "LenientNumber.h"
#include "CalendarClock.h"

#include <cmath>

namespace {

// Field numbers after the address field (0).
namespace rmc {
constexpr size_t kTime = 1, kStatus = 2, kLat = 3, kSpeed = 7, kCourse = 8, kDate = 9, kMode = 12;
}
namespace gga {
constexpr size_t kTime = 1, kLat = 2, kQuality = 6, kAltitude = 9;  // lat, N/S, lon, E/W from kLat
}
namespace gsa {
constexpr size_t kDimension = 2;  // 1 none, 2 2-D, 3 3-D
}
constexpr size_t kGSensorAxes = 3;

// More fields than any sentence read here has; the rest are ignored.
constexpr size_t kMaxFields = 24;
constexpr int kCenturyBase = 2000;
constexpr int64_t kMsPerSecond = 1000;
constexpr int64_t kMsPerDay = 24 * 3600 * kMsPerSecond;
constexpr int64_t kHalfDayMs = kMsPerDay / 2;
// Readings written as whole numbers are in thousandths of g, those with a point in g.
constexpr double kHundredthsPerMilliG = 0.1;
constexpr double kHundredthsPerG = 100;

bool IsDigits(std::string_view text) {
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return !text.empty();
}

int TwoDigits(std::string_view text, size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The sentence between '$' and the checksum; none when a checksum is there
// and does not match, or the '*' is not followed by two hex digits.
std::optional<std::string_view> CheckedBody(std::string_view sentence) {
    std::string_view body = sentence.substr(1);
    const size_t star = body.find('*');
    if (star == std::string_view::npos) return body;
    if (body.size() < star + 3) return std::nullopt;
    const int high = HexDigit(body[star + 1]), low = HexDigit(body[star + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    unsigned sum = 0;
    for (size_t i = 0; i < star; ++i) sum ^= static_cast<unsigned char>(body[i]);
    if (sum != unsigned(high * 16 + low)) return std::nullopt;
    return body.substr(0, star);
}

size_t SplitFields(std::string_view body, std::string_view* fields) {
    size_t count = 0;
    size_t start = 0;
    while (count < kMaxFields) {
        const size_t comma = body.find(',', start);
        fields[count++] = body.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return count;
}

// hhmmss with an optional fraction, as milliseconds of the day.
std::optional<int64_t> ReadTimeOfDay(std::string_view field) {
    if (field.size() < 6 || !IsDigits(field.substr(0, 6))) return std::nullopt;
    const int hour = TwoDigits(field, 0), minute = TwoDigits(field, 2), second = TwoDigits(field, 4);
    if (hour > 23 || minute > 59 || second > 60) return std::nullopt;
    int64_t ms = ((hour * 60 + minute) * 60 + second) * kMsPerSecond;
    if (field.size() > 7 && field[6] == '.')
        ms += std::lround(ReadLenientDecimal(field.substr(6, 4)) * kMsPerSecond);
    return ms;
}

// ddmmyy as the start of that day.
std::optional<int64_t> ReadDate(std::string_view field) {
    if (field.size() != 6 || !IsDigits(field)) return std::nullopt;
    const int day = TwoDigits(field, 0), month = TwoDigits(field, 2), year = kCenturyBase + TwoDigits(field, 4);
    if (day < 1 || day > 31 || month < 1 || month > 12) return std::nullopt;
    return UtcMilliseconds(year, month, day, 0, 0, 0);
}

// ddmm.mmmm (dddmm.mmmm) with its hemisphere letter, as unsigned degrees.
bool ReadCoordinate(std::string_view value, std::string_view ref, char positive, char negative, double& degrees,
                    char& letter) {
    if (value.empty() || ref.size() != 1 || (ref[0] != positive && ref[0] != negative)) return false;
    const double packed = ReadLenientDecimal(value);
    const double whole = std::trunc(packed / 100);
    const double minutes = packed - whole * 100;
    if (!(packed >= 0) || minutes >= 60) return false;
    degrees = whole + minutes / 60;
    letter = ref[0];
    return true;
}

// Both coordinates from four fields starting at lat, or the record untouched.
bool ReadPosition(const std::string_view* fields, size_t lat, GPSRecord& record) {
    GPSRecord read = record;
    if (!ReadCoordinate(fields[lat], fields[lat + 1], 'N', 'S', read.lat, read.latRef) ||
        !ReadCoordinate(fields[lat + 2], fields[lat + 3], 'E', 'W', read.lon, read.lonRef))
        return false;
    record = read;
    return true;
}

std::string_view Field(const std::string_view* fields, size_t count, size_t index) {
    return index < count ? fields[index] : std::string_view{};
}

}  // namespace

NmeaParser::NmeaParser(GPSData& out) : out(out) { out.clock = GPSClock::UTC; }

bool NmeaParser::readText(std::string_view text, std::optional<int64_t> unixMs) {
    size_t pos = text.find('$');
    while (pos != std::string_view::npos && !stopped) {
        size_t end = pos + 1;
        while (end < text.size() && text[end] != '$' && static_cast<unsigned char>(text[end]) >= 0x20 &&
               static_cast<unsigned char>(text[end]) < 0x7F)
            ++end;
        if (end - pos <= kMaxSentenceLength) readSentence(text.substr(pos, end - pos), unixMs);
        pos = text.find('$', end);
    }
    return !stopped;
}

void NmeaParser::readSentence(std::string_view sentence, std::optional<int64_t> unixMs) {
    const std::optional<std::string_view> body = CheckedBody(sentence);
    if (!body) return;
    std::string_view fields[kMaxFields];
    const size_t count = SplitFields(*body, fields);
    const std::string_view address = fields[0];
    if (address == "GSENSOR") return readGSensor(fields, count);
    if (address.starts_with("GSENSORSTARTTIME")) gSensorBlock = true;
    // A talker (GP, GN, GL, BD, ...) and the sentence type.
    if (address.size() != 5) return;
    const std::string_view type = address.substr(2);
    if (type == "RMC") readRmc(fields, count, unixMs);
    else if (type == "GGA") readGga(fields, count, unixMs);
    else if (type == "GSA") readGsa(fields, count);
}

void NmeaParser::readRmc(const std::string_view* fields, size_t count, std::optional<int64_t> unixMs) {
    const std::optional<int64_t> time = ReadTimeOfDay(Field(fields, count, rmc::kTime));
    const std::optional<int64_t> date = ReadDate(Field(fields, count, rmc::kDate));
    if (!time || !date) return;
    Pending& p = pendingAt(*time, unixMs);
    p.dayStartMs = date;
    GPSRecord& r = p.record;
    const bool valid = Field(fields, count, rmc::kStatus) == "A" && Field(fields, count, rmc::kMode) != "N";
    if (valid) ReadPosition(fields, rmc::kLat, r);
    r.speed = ReadLenientDecimal(fields[rmc::kSpeed]);
    if (!fields[rmc::kCourse].empty()) r.heading = ReadLenientDecimal(fields[rmc::kCourse]);
}

void NmeaParser::readGga(const std::string_view* fields, size_t count, std::optional<int64_t> unixMs) {
    const std::optional<int64_t> time = ReadTimeOfDay(Field(fields, count, gga::kTime));
    if (!time || count <= gga::kQuality) return;
    GPSRecord& r = pendingAt(*time, unixMs).record;
    // Quality 0 is no fix; the others name how it was found. RMC's position, when valid, stands.
    if (!IsValidRecord(r) && ReadLenientInt(fields[gga::kQuality]) > 0) ReadPosition(fields, gga::kLat, r);
    const std::string_view altitude = Field(fields, count, gga::kAltitude);
    if (!altitude.empty()) r.altitude = ReadLenientDecimal(altitude);
}

void NmeaParser::readGsa(const std::string_view* fields, size_t count) {
    const std::string_view dimension = Field(fields, count, gsa::kDimension);
    if (pending.msOfDay >= 0 && (dimension == "2" || dimension == "3")) pending.record.fixQuality = dimension[0] - '0';
}

void NmeaParser::readGSensor(const std::string_view* fields, size_t count) {
    if (gSensorBlock || count <= kGSensorAxes) return;
    for (size_t axis = 0; axis < kGSensorAxes; ++axis) {
        const std::string_view value = fields[axis + 1];
        const double scale = value.find('.') == std::string_view::npos ? kHundredthsPerMilliG : kHundredthsPerG;
        gSum[axis] += ReadLenientDecimal(value) * scale;
    }
    ++gCount;
}

NmeaParser::Pending& NmeaParser::pendingAt(int64_t msOfDay, std::optional<int64_t> unixMs) {
    if (pending.msOfDay != msOfDay) {
        flush();
        pending = Pending{};
        pending.msOfDay = msOfDay;
        pending.unixMs = unixMs;
    }
    return pending;
}

void NmeaParser::flush() {
    if (pending.msOfDay < 0 || stopped) return;
    GPSRecord& r = pending.record;
    if (gCount > 0) {
        r.gsX = gSum[0] / gCount;
        r.gsY = gSum[1] / gCount;
        r.gsZ = gSum[2] / gCount;
        gSum[0] = gSum[1] = gSum[2] = 0;
        gCount = 0;
    }
    const bool undated = !pending.unixMs && !pending.dayStartMs && !lastDayStartMs;
    // The receiver's own UTC date and time win: a camera's stamp is its
    // clock, which may run on local time; it serves only a fix without a date.
    if (pending.dayStartMs) {
        lastDayStartMs = pending.dayStartMs;
        lastDatedMsOfDay = pending.msOfDay;
        SetRecordUtc(r, *pending.dayStartMs + pending.msOfDay);
    } else if (pending.unixMs) {
        SetRecordUtc(r, *pending.unixMs);
    } else if (lastDayStartMs) {
        // A fix without a date of its own: the last date, the next day once the clock wrapped.
        const int64_t wrapped = pending.msOfDay < lastDatedMsOfDay - kHalfDayMs ? kMsPerDay : 0;
        SetRecordUtc(r, *lastDayStartMs + wrapped + pending.msOfDay);
    }
    if (undated) {
        if (undatedMsOfDay.empty()) firstUndated = out.records.size();
        undatedMsOfDay.push_back(pending.msOfDay);
    }
    if (!out.add(r)) stopped = true;
    pending.msOfDay = -1;
    if (!undated) dateUndatedRecords();
}

// Fixes before the first date take that date, the day before when the clock
// wrapped between them.
void NmeaParser::dateUndatedRecords() {
    if (undatedMsOfDay.empty() || !lastDayStartMs) return;
    for (size_t i = 0; i < undatedMsOfDay.size() && firstUndated + i < out.records.size(); ++i) {
        const int64_t wrapped = undatedMsOfDay[i] > lastDatedMsOfDay + kHalfDayMs ? -kMsPerDay : 0;
        SetRecordUtc(out.records[firstUndated + i], *lastDayStartMs + wrapped + undatedMsOfDay[i]);
    }
    undatedMsOfDay.clear();
}

void NmeaParser::finish() {
    flush();
    // Fixes that never got a date cannot be placed in time.
    if (!undatedMsOfDay.empty() && firstUndated <= out.records.size()) {
        out.records.erase(out.records.begin() + static_cast<std::ptrdiff_t>(firstUndated),
                          out.records.begin() + static_cast<std::ptrdiff_t>(std::min(out.records.size(), firstUndated + undatedMsOfDay.size())));
        undatedMsOfDay.clear();
    }
}
