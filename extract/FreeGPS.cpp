#include "FreeGPS.h"

#include <algorithm>

#include "BinaryFile.h"
#include "DegreesMinutes.h"
#include "FreeGPSCipher.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr size_t kAbsent = SIZE_MAX;
constexpr double kKnotsPerKmh = 1 / 1.852;
constexpr double kKnotsPerCentiMetrePerSecond = 0.036 / 1.852;
constexpr int32_t kYearBase = 2000;
constexpr size_t kBodyHeader = 16;  // size, "free", "GPS ", length

enum class Num : uint8_t { Float, Double, Int32 };

struct Field {
    size_t offset = kAbsent;
    Num type = Num::Float;
    double scale = 1;
};

// A layout with one record per box at fixed offsets from the box's start.
// Status, latitude and longitude letters are single bytes; pad zero bytes
// follow each letter that another letter does not follow at once.
struct FixedLayout {
    const char* camera;
    std::string_view tag;  // bytes at 16 that single the layout out, or empty
    size_t minSize;
    size_t status, latRef, lonRef, pad;
    size_t time;  // int32 hour, minute, second
    size_t date;  // int32 year (full or since 2000), month, day
    bool degreesMinutes;
    Field lat, lon, speed, heading, altitude;
    Field accel;  // three consecutive values, scaled to hundredths of g
    bool fullYearIsLocal = false;
};

constexpr Field F(size_t offset, double scale = 1) { return {offset, Num::Float, scale}; }
constexpr Field D(size_t offset, double scale = 1) { return {offset, Num::Double, scale}; }
constexpr Field I(size_t offset, double scale = 1) { return {offset, Num::Int32, scale}; }
constexpr Field kNoField{};

// In the order they are tried: the stricter signatures first.
const FixedLayout kFixedLayouts[] = {
    // Viofo A119 V3, Kenwood: the fields 32 bytes earlier than the first Novatek layout.
    {"Viofo A119 V3, Kenwood", {}, 0x48, 0x28, 0x29, 0x2a, 1, 0x10, 0x1c, true,
     F(0x2c), F(0x30), F(0x34), F(0x38), kNoField, I(0x3c, 100.0 / 256), true},
    // Akaso: letters as zero-padded 32-bit words, speed in km/h.
    {"Akaso", {}, 0x70, 0x3c, 0x44, 0x4c, 3, 0x30, 0x58, true,
     F(0x40), F(0x48), F(0x50, kKnotsPerKmh), F(0x54), kNoField, I(0x64, 0.1)},
    // Vantrue S1: longitude before latitude, altitude.
    {"Vantrue S1", {}, 0x7c, 0x40, 0x41, 0x42, 1, 0x50, 0x44, true,
     F(0x60), F(0x5c), F(0x64), F(0x68), F(0x6c), I(0x70, 0.1)},
    // Doubles with the letters as separate words.
    {"Novatek doubles", {}, 0x88, 0x3c, 0x48, 0x58, 1, 0x30, 0x70, true,
     D(0x40), D(0x50), D(0x60), D(0x68), kNoField, I(0x7c, 0.1)},
    // Vantrue N4.
    {"Vantrue N4", {}, 0x68, 0x1c, 0x28, 0x38, 0, 0x10, 0x50, true,
     D(0x20), D(0x30), D(0x40), D(0x48), kNoField, I(0x5c, 0.1)},
    // IQS: decimal degrees times 1e7 and speed in cm/s.
    {"Novatek IQS", "IQS", 0x5c, 0x48, 0x49, 0x4a, 1, 0x30, 0x3c, false,
     I(0x4c, 1e-7), I(0x50, 1e-7), I(0x54, kKnotsPerCentiMetrePerSecond), kNoField, F(0x58, 1e-3), kNoField},
    // Novatek, Viofo A119S and most others: 60 bytes in at 0x30.
    {"Novatek", {}, 0x5c, 0x48, 0x49, 0x4a, 1, 0x30, 0x3c, true,
     F(0x4c), F(0x50), F(0x54), F(0x58), kNoField, F(0x60)},
};


double Value(const unsigned char* box, const Field& field) {
    const unsigned char* p = box + field.offset;
    switch (field.type) {
        case Num::Float: return LoadLEFloat(p) * field.scale;
        case Num::Double: return LoadLEDouble(p) * field.scale;
        case Num::Int32: return LoadLEInt(p) * field.scale;
    }
    return 0;
}

bool IsLatRef(unsigned char c) { return c == 'N' || c == 'S'; }
bool IsLonRef(unsigned char c) { return c == 'E' || c == 'W'; }

bool PlausibleDate(int32_t month, int32_t day) { return month >= 1 && month <= 12 && day >= 1 && day <= 31; }

// A fix needs its letters and a date; a box written before the first fix
// ('V') may hold no letters and a zero date.
// One past the last byte any field of the layout reads: a box shorter than
// that is not of the layout, whatever its minimum size says.
size_t FieldEnd(const Field& field, size_t count = 1) {
    if (field.offset == kAbsent) return 0;
    return field.offset + count * (field.type == Num::Double ? 8 : 4);
}

size_t LayoutExtent(const FixedLayout& layout) {
    constexpr size_t kThreeInts = 12;
    return std::max({layout.minSize, kBodyHeader + layout.tag.size(), layout.status + 1 + layout.pad,
                     layout.latRef + 1 + layout.pad, layout.lonRef + 1 + layout.pad, layout.time + kThreeInts,
                     layout.date + kThreeInts, FieldEnd(layout.lat), FieldEnd(layout.lon), FieldEnd(layout.speed),
                     FieldEnd(layout.heading), FieldEnd(layout.altitude), FieldEnd(layout.accel, 3)});
}

bool Matches(const FixedLayout& layout, const unsigned char* box, size_t size) {
    if (size < LayoutExtent(layout)) return false;
    if (!layout.tag.empty() && std::memcmp(box + kBodyHeader, layout.tag.data(), layout.tag.size()) != 0) return false;
    const unsigned char status = box[layout.status];
    const unsigned char latRef = box[layout.latRef];
    const unsigned char lonRef = box[layout.lonRef];
    for (const size_t letter : {layout.status, layout.latRef, layout.lonRef}) {
        const bool letterFollows = letter + 1 == layout.latRef || letter + 1 == layout.lonRef;
        if (letterFollows) continue;
        for (size_t i = 1; i <= layout.pad; ++i)
            if (box[letter + i] != 0) return false;
    }
    const int32_t month = LoadLEInt(box + layout.date + 4);
    const int32_t day = LoadLEInt(box + layout.date + 8);
    if (status == 'A') return IsLatRef(latRef) && IsLonRef(lonRef) && PlausibleDate(month, day);
    if (status != 'V') return false;
    const bool lettersOrNothing = (latRef == 0 || IsLatRef(latRef)) && (lonRef == 0 || IsLonRef(lonRef));
    return lettersOrNothing && (PlausibleDate(month, day) || (month == 0 && day == 0));
}

void SetYear(GPSRecord& record, int32_t year) {
    record.year = year < kYearBase && year >= 0 ? year + kYearBase : year;
}

// Accelerometers that are off write zeros or the words 1 to 6.
bool AccelPresent(const unsigned char* p) {
    static constexpr unsigned char kCounting[12] = {1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0};
    static constexpr unsigned char kZeros[12] = {};
    return std::memcmp(p, kZeros, 12) != 0 && std::memcmp(p, kCounting, 12) != 0;
}

void SetAccel(GPSRecord& record, const unsigned char* box, const Field& accel) {
    if (accel.offset == kAbsent || !AccelPresent(box + accel.offset)) return;
    Field axis = accel;
    const size_t width = accel.type == Num::Double ? 8 : 4;
    record.gsX = Value(box, axis);
    axis.offset += width;
    record.gsY = Value(box, axis);
    axis.offset += width;
    record.gsZ = Value(box, axis);
}

double Coordinate(const unsigned char* box, const Field& field, bool degreesMinutes) {
    const double value = std::fabs(Value(box, field));
    return degreesMinutes ? DegreesFromDegreesMinutes(value) : value;
}

// Transcend Drive Pro keeps the position again as doubles at 0x70 and 0x80,
// with the altitude at 0xa0: more precise than the singles.
void PreferDoubles(GPSRecord& record, const unsigned char* box, size_t size) {
    constexpr size_t kLat = 0x70, kLon = 0x80, kAltitude = 0xa0, kMinSize = 0xb0;
    constexpr double kSameFix = 0.001;
    if (size < kMinSize) return;
    const double lat = DegreesFromDegreesMinutes(std::fabs(LoadLEDouble(box + kLat)));
    const double lon = DegreesFromDegreesMinutes(std::fabs(LoadLEDouble(box + kLon)));
    if (!(std::fabs(lat - record.lat) < kSameFix && std::fabs(lon - record.lon) < kSameFix)) return;
    record.lat = lat;
    record.lon = lon;
    record.altitude = LoadLEDouble(box + kAltitude);
}

GPSRecord DecodeFixed(const FixedLayout& layout, const unsigned char* box, size_t size, GPSData& out) {
    GPSRecord record{};
    record.hour = LoadLEInt(box + layout.time);        // time + 0: hour
    record.minute = LoadLEInt(box + layout.time + 4);  // time + 4: minute
    record.second = LoadLEInt(box + layout.time + 8);  // time + 8: second
    const int32_t year = LoadLEInt(box + layout.date);  // date + 0: year
    SetYear(record, year);
    record.month = LoadLEInt(box + layout.date + 4);  // date + 4: month
    record.day = LoadLEInt(box + layout.date + 8);    // date + 8: day
    if (layout.fullYearIsLocal && year >= kYearBase) out.clock = GPSClock::Local;
    if (box[layout.status] == 'A') {
        record.latRef = static_cast<char>(box[layout.latRef]);
        record.lonRef = static_cast<char>(box[layout.lonRef]);
        record.lat = Coordinate(box, layout.lat, layout.degreesMinutes);
        record.lon = Coordinate(box, layout.lon, layout.degreesMinutes);
        record.speed = Value(box, layout.speed);
        if (layout.heading.offset != kAbsent) record.heading = Value(box, layout.heading);
        if (layout.altitude.offset != kAbsent) record.altitude = Value(box, layout.altitude);
        if (layout.lat.type == Num::Float && layout.degreesMinutes) PreferDoubles(record, box, size);
    }
    SetAccel(record, box, layout.accel);
    return record;
}

// Digits of a fixed-width decimal field; none when any is not a digit.
std::optional<int64_t> Digits(std::string_view text, size_t offset, size_t count) {
    if (offset + count > text.size()) return std::nullopt;
    int64_t value = 0;
    for (size_t i = offset; i < offset + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::optional<int64_t> SignedDigits(std::string_view text, size_t offset, size_t count) {
    if (offset >= text.size() || (text[offset] != '+' && text[offset] != '-')) return std::nullopt;
    const std::optional<int64_t> magnitude = Digits(text, offset + 1, count);
    if (!magnitude) return std::nullopt;
    return text[offset] == '-' ? -*magnitude : *magnitude;
}

// Azdome GS63H and EEEkit: ASCII fields XOR 0xAA from byte 18 on.
constexpr unsigned char kXorSignature[] = {0xaa, 0xaa, 0xf2, 0xe1, 0xf0, 0xee, 0x54, 0x54};
constexpr size_t kXorStart = 18;
constexpr size_t kXorLength = 0x101;

bool DecodeXorText(const unsigned char* box, size_t size, GPSData& out) {
    if (size < kXorStart + sizeof kXorSignature ||
        std::memcmp(box + kXorStart, kXorSignature, sizeof kXorSignature) != 0)
        return false;
    std::string text(std::min(size - kXorStart, kXorLength), '\0');
    for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>(box[kXorStart + i] ^ 0xaa);
    // 8: date and time YYYYMMDDhhmmss
    const auto date = Digits(text, 8, 8), time = Digits(text, 16, 6);
    if (!date || !time) return false;
    GPSRecord record{};
    record.year = static_cast<int32_t>(*date / 10000);
    record.month = static_cast<int32_t>(*date / 100 % 100);
    record.day = static_cast<int32_t>(*date % 100);
    record.hour = static_cast<int32_t>(*time / 10000);
    record.minute = static_cast<int32_t>(*time / 100 % 100);
    record.second = static_cast<int32_t>(*time % 100);
    // 38: N|S, 8 digits ddmm.mmmm x 1e4; 47: E|W, 9 digits dddmm.mmmm x 1e4
    const auto lat = Digits(text, 39, 8), lon = Digits(text, 48, 9);
    if (text.size() > 47 && IsLatRef(text[38]) && IsLonRef(text[47]) && lat && lon) {
        record.latRef = text[38];
        record.lonRef = text[47];
        record.lat = DegreesFromDegreesMinutes(*lat / 1e4);
        record.lon = DegreesFromDegreesMinutes(*lon / 1e4);
        // 57: Azdome 8 digits of km/h; EEEkit a signed 4-digit field, then 3 digits of km/h
        if (const auto kmh = Digits(text, 57, 8)) record.speed = *kmh * kKnotsPerKmh;
        else if (const auto kmh3 = Digits(text, 62, 3); kmh3 && SignedDigits(text, 57, 4))
            record.speed = *kmh3 * kKnotsPerKmh;
    }
    // 65 (EEEkit) or 173 (Azdome): three signed 3-digit readings in hundredths of g
    for (const size_t at : {size_t{65}, size_t{173}}) {
        const auto x = SignedDigits(text, at, 3), y = SignedDigits(text, at + 4, 3), z = SignedDigits(text, at + 8, 3);
        if (!x || !y || !z) continue;
        record.gsX = static_cast<double>(*x);
        record.gsY = static_cast<double>(*y);
        record.gsZ = static_cast<double>(*z);
        break;
    }
    out.add(record);
    return true;
}

// "ddmm.mmmm" possibly followed by NULs.
std::optional<double> DegreesMinutesText(std::string_view field) {
    while (!field.empty() && field.back() == '\0') field.remove_suffix(1);
    const size_t dot = field.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot > 5 || dot + 1 == field.size()) return std::nullopt;
    for (size_t i = 0; i < field.size(); ++i)
        if (i != dot && (field[i] < '0' || field[i] > '9')) return std::nullopt;
    double value = 0;
    std::from_chars(field.data(), field.data() + field.size(), value);
    return DegreesFromDegreesMinutes(value);
}

// E-ACE B44 and other LuckyChip cameras: the layout of the Viofo A119 V3
// with latitude and longitude as 20-byte texts, plain or enciphered. A box
// whose texts no known key opens still gives its time, without a fix.
bool DecodeLuckyText(const unsigned char* box, size_t size, GPSData& out) {
    constexpr size_t kMinSize = 0x78, kLat = 0x2c, kLon = 0x40, kTextLength = 20;
    const FixedLayout& v3 = kFixedLayouts[0];
    if (size < kMinSize || !Matches(v3, box, size)) return false;
    const std::string_view latField(reinterpret_cast<const char*>(box) + kLat, kTextLength);
    const std::string_view lonField(reinterpret_cast<const char*>(box) + kLon, kTextLength);
    std::optional<double> lat = DegreesMinutesText(latField), lon = DegreesMinutesText(lonField);
    const bool cipherText = LooksLikeLuckyCipherText(latField) && LooksLikeLuckyCipherText(lonField);
    if ((!lat || !lon) && !cipherText) return false;
    GPSRecord record = DecodeFixed(v3, box, size, out);
    if (!lat || !lon) {
        const std::optional<std::pair<std::string, std::string>> plain = DecipherLuckyPair(latField, lonField);
        if (plain) {
            lat = DegreesMinutesText(plain->first);
            lon = DegreesMinutesText(plain->second);
        }
    }
    if (lat && lon) {
        record.lat = *lat;
        record.lon = *lon;
    } else {
        record.latRef = record.lonRef = 0;
    }
    record.speed = LoadLEFloat(box + 0x54);    // 0x54: speed, float32 knots
    record.heading = LoadLEFloat(box + 0x58);  // 0x58: heading, float32 degrees
    // 0x5c holds raw accelerometer counts of no published scale: left out.
    record.gsX = record.gsY = record.gsZ = 0;
    out.add(record);
    return true;
}

}  // namespace

bool DecodeFreeGPS(const unsigned char* box, size_t size, GPSData& out) {
    if (DecodeXorText(box, size, out) || DecodeLuckyText(box, size, out)) return true;
    for (const FixedLayout& layout : kFixedLayouts) {
        if (!Matches(layout, box, size)) continue;
        out.add(DecodeFixed(layout, box, size, out));
        return true;
    }
    return false;
}

bool DecodeFreeGPSBody(const unsigned char* body, size_t size, GPSData& out) {
    if (size > kFreeGPSDecodeWindow - kBodyHeader) size = kFreeGPSDecodeWindow - kBodyHeader;
    std::vector<unsigned char> box(kBodyHeader + size, 0);
    std::memcpy(box.data() + kBodyHeader, body, size);
    return DecodeFreeGPS(box.data(), box.size(), out);
}
