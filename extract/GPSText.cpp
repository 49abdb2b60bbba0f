#include "GPSText.h"

#include "DegreesMinutes.h"
#include "LenientNumber.h"

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

// atof on the field, exponents included.
double FieldToDouble(std::string_view field) { return ReadLenientDecimal(field, NumberSyntax::WithExponent); }

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

    const int date = ReadLenientInt(fields[kDateField]);
    record.day = date / kFourDigits;
    record.month = date / kTwoDigits % kTwoDigits;
    record.year = kCenturyBase + date % kTwoDigits;

    const int time = ReadLenientInt(fields[kTimeField]);
    record.hour = time / kFourDigits;
    record.minute = time / kTwoDigits % kTwoDigits;
    record.second = time % kTwoDigits;

    // A NUL inside a field ends it, as it ends a C string: it continues no number.
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
