#include "GPSText.h"

#include "DegreesMinutes.h"

#include <climits>
#include <cstdlib>
#include <locale.h>

namespace {

constexpr size_t kGPSTextFieldCount = 11;

// Field numbers of a GPS text.
constexpr size_t kDateField = 1;       // DDMMYY
constexpr size_t kTimeField = 2;       // HHMMSS, a fraction ignored
constexpr size_t kLatField = 3;        // ddmm.mmmm, like the binary blocks and NMEA
constexpr size_t kLatRefField = 4;
constexpr size_t kLonField = 5;
constexpr size_t kLonRefField = 6;
constexpr size_t kSpeedField = 7;      // knots
constexpr size_t kGsXField = 8;        // hundredths of g
constexpr size_t kGsYField = 9;
constexpr size_t kGsZField = 10;

constexpr int kCenturyBase = 2000;
// DDMMYY and HHMMSS are three two-digit groups packed in one decimal number.
constexpr int kTwoDigits = 100;
constexpr int kFourDigits = kTwoDigits * kTwoDigits;

// Numbers are written with '.' whatever the user's locale; the player runs
// with the locale the desktop sets, so the conversions use the C locale.
locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

// atoi on the field up to its first NUL, saturating where atoi's result would
// be undefined.
int FieldToInt(const std::string& field) {
    const long value = strtol_l(field.c_str(), nullptr, 10, CLocale());
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// atof on the field up to its first NUL.
double FieldToDouble(const std::string& field) {
    return strtod_l(field.c_str(), nullptr, CLocale());
}

}  // namespace

std::vector<std::string> SplitString(std::string_view text, std::string_view delimiter) {
    std::vector<std::string> fields;
    if (text.empty() || delimiter.empty()) return fields;
    size_t pos = 0;
    for (;;) {
        const size_t found = text.find(delimiter, pos);
        if (found == std::string_view::npos) {
            fields.emplace_back(text.substr(pos));
            return fields;
        }
        fields.emplace_back(text.substr(pos, found - pos));
        pos = found + delimiter.size();
        if (pos >= text.size()) return fields;
    }
}

bool ParseGPSText(std::string_view text, GPSRecord& record) {
    const std::vector<std::string> fields = SplitString(text, ",");
    if (fields.size() != kGPSTextFieldCount) return false;

    const int date = FieldToInt(fields[kDateField]);
    record.day = date / kFourDigits;
    record.month = date / kTwoDigits % kTwoDigits;
    record.year = kCenturyBase + date % kTwoDigits;

    const int time = FieldToInt(fields[kTimeField]);
    record.hour = time / kFourDigits;
    record.minute = time / kTwoDigits % kTwoDigits;
    record.second = time % kTwoDigits;

    // c_str() so that a NUL inside the field ends it, as it ends a C string.
    record.lat = DegreesFromDegreesMinutes(FieldToDouble(fields[kLatField]));
    record.latRef = fields[kLatRefField].c_str()[0];
    record.lon = DegreesFromDegreesMinutes(FieldToDouble(fields[kLonField]));
    record.lonRef = fields[kLonRefField].c_str()[0];
    record.speed = FieldToDouble(fields[kSpeedField]);
    record.gsX = FieldToDouble(fields[kGsXField]);
    record.gsY = FieldToDouble(fields[kGsYField]);
    record.gsZ = FieldToDouble(fields[kGsZField]);
    return true;
}
