#include "RecordCsv.h"

#include "CsvFormat.h"

#include <charconv>

namespace {

// Rows are formatted into one buffer: the stream's own number formatting cost
// more than finding the records in the file.
constexpr size_t kFlushSize = 1 << 16;

void AppendInt(std::string& text, int32_t value) {
    char digits[12];
    text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void AppendReal(std::string& text, double value) {
    char digits[32];
    text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

}  // namespace

void WriteRecordCsv(std::ostream& out, const GPSRecord* records, int32_t count) {
    std::string text(kRecordCsvHeader);
    text += '\n';
    for (int32_t i = 0; i < count; ++i) {
        const GPSRecord& r = records[i];
        for (const int32_t field : {r.year, r.month, r.day, r.hour, r.minute, r.second}) {
            AppendInt(text, field);
            text += ',';
        }
        text += FormatRefLetter(r.latRef);
        text += ',';
        AppendReal(text, r.lat);
        text += ',';
        text += FormatRefLetter(r.lonRef);
        for (const double field : {r.lon, r.speed, r.gsX, r.gsY, r.gsZ}) {
            text += ',';
            AppendReal(text, field);
        }
        text += '\n';
        if (text.size() >= kFlushSize) {
            out << text;
            text.clear();
        }
    }
    out << text;
}
