#include "ProbeReport.h"

#include "CalendarClock.h"
#include "CsvFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

std::string RecordTime(const GPSRecord& r) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", r.year, r.month, r.day, r.hour, r.minute,
                  r.second, std::clamp(r.millisecond, 0, 999));
    return text;
}

// Seconds between two records, on the UTC calendar whatever the clock: only
// the difference counts. None when either date is not a real one.
std::optional<double> SecondsBetween(const GPSRecord& a, const GPSRecord& b) {
    const std::optional<int64_t> from = CalendarToSeconds(RecordCalendar(a), GPSClock::UTC);
    const std::optional<int64_t> to = CalendarToSeconds(RecordCalendar(b), GPSClock::UTC);
    if (!from || !to) return std::nullopt;
    return double(*to - *from) + (b.millisecond - a.millisecond) / 1000.0;
}

}  // namespace

void WriteProbeRow(std::ostream& out, const std::string& file, const GPSExtraction& extraction) {
    const std::vector<GPSRecord>& records = extraction.data.records;
    const auto first = std::find_if(records.begin(), records.end(), IsValidRecord);
    const auto last = std::find_if(records.rbegin(), records.rend(), IsValidRecord);
    const auto fixes = std::count_if(records.begin(), records.end(), IsValidRecord);
    out << CsvField(file) << ',' << (extraction.reader ? extraction.reader->id : "") << ',' << fixes << ',';
    std::optional<double> span;
    if (fixes > 0) {
        out << RecordTime(*first) << ',' << RecordTime(*last) << ',';
        span = SecondsBetween(*first, *last);
    } else {
        out << ",,";
    }
    if (span) out << FormatReal(*span);
    out << ',';
    if (span && *span > 0) out << FormatReal(std::round((fixes - 1) / *span * 100) / 100);
    out << ',' << (fixes == 0 ? "" : extraction.data.clock == GPSClock::UTC ? "UTC" : "local") << ','
        << CsvField(extraction.status == ExtractStatus::Found ? std::string() : DescribeExtraction(extraction))
        << '\n';
}
