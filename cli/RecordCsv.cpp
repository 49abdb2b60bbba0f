#include "RecordCsv.h"

#include "CsvFormat.h"

void WriteRecordCsv(std::ostream& out, const GPSRecord* records, int32_t count) {
    out << kRecordCsvHeader << '\n';
    for (int32_t i = 0; i < count; ++i) {
        const GPSRecord& r = records[i];
        out << r.year << ',' << r.month << ',' << r.day << ',' << r.hour << ',' << r.minute << ','
            << r.second << ',' << FormatRefLetter(r.latRef) << ',' << FormatReal(r.lat) << ','
            << FormatRefLetter(r.lonRef) << ',' << FormatReal(r.lon) << ',' << FormatReal(r.speed)
            << ',' << FormatReal(r.gsX) << ',' << FormatReal(r.gsY) << ',' << FormatReal(r.gsZ)
            << '\n';
    }
}
