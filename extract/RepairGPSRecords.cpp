#include "RepairGPSRecords.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <ctime>

namespace {

// A jump this large in degrees on both sides of a record cannot be driving.
constexpr double kSpikeDegrees = 10.0;
// Closer than this to 0 / 0 is a receiver that had no fix yet.
constexpr double kNullFixDegrees = 0.0000001;
constexpr int kTmYearBase = 1900;

void ClearRecord(GPSRecord& record) { record = GPSRecord{}; }

bool JumpsFromBoth(double previous, double current, double next) {
    // A NaN difference never compares greater, so it never marks a spike.
    return std::fabs(current - previous) > kSpikeDegrees && std::fabs(current - next) > kSpikeDegrees;
}

void RemoveSpikes(GPSRecord* records, int32_t count) {
    for (int32_t i = 1; i + 1 < count; ++i) {
        const GPSRecord& previous = records[i - 1];
        GPSRecord& current = records[i];
        const GPSRecord& next = records[i + 1];
        if (JumpsFromBoth(previous.lat, current.lat, next.lat) ||
            JumpsFromBoth(previous.lon, current.lon, next.lon)) {
            ClearRecord(current);
        }
    }
}

void RemoveNullFixes(GPSRecord* records, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        if (std::fabs(records[i].lat) < kNullFixDegrees && std::fabs(records[i].lon) < kNullFixDegrees) {
            ClearRecord(records[i]);
        }
    }
}

int32_t FirstValidFrom(const GPSRecord* records, int32_t count, int32_t from) {
    for (int32_t i = from; i < count; ++i) {
        if (IsValidRecord(records[i])) return i;
    }
    return -1;
}

int32_t LastValid(const GPSRecord* records, int32_t count) {
    for (int32_t i = count - 1; i >= 0; --i) {
        if (IsValidRecord(records[i])) return i;
    }
    return -1;
}

void FillLeadingRecords(GPSRecord* records, int32_t firstValid) {
    for (int32_t j = firstValid - 1; j >= 0; --j) {
        records[j] = records[j + 1];
        ShiftRecordTime(records[j], -1);
    }
}

void FillTrailingRecords(GPSRecord* records, int32_t count, int32_t lastValid) {
    for (int32_t j = lastValid + 1; j < count; ++j) {
        records[j] = records[j - 1];
        ShiftRecordTime(records[j], +1);
    }
}

double Interpolate(double from, double to, int32_t gapLength, int32_t k) {
    return ((to - from) / (gapLength + 1)) * k + from;
}

// Fills the hole between the valid records start - 1 and end: each filled
// record continues the one before it by a second, its values on the straight
// line between the two.
void FillGap(GPSRecord* records, int32_t start, int32_t end) {
    const GPSRecord& a = records[start - 1];
    const GPSRecord& b = records[end];
    const int32_t length = end - start;
    for (int32_t k = 1; k <= length; ++k) {
        GPSRecord& filled = records[start - 1 + k];
        filled = records[start - 2 + k];
        ShiftRecordTime(filled, +1);
        filled.lat = Interpolate(a.lat, b.lat, length, k);
        filled.lon = Interpolate(a.lon, b.lon, length, k);
        filled.speed = Interpolate(a.speed, b.speed, length, k);
        filled.gsX = Interpolate(a.gsX, b.gsX, length, k);
        filled.gsY = Interpolate(a.gsY, b.gsY, length, k);
        filled.gsZ = Interpolate(a.gsZ, b.gsZ, length, k);
    }
}

// Runs after the leading and trailing fills, so every hole has a valid record
// on both sides. Everything before a filled hole is valid, so the search for
// the next hole can go on from its end.
void InterpolateGaps(GPSRecord* records, int32_t count) {
    int32_t from = 0;
    for (;;) {
        int32_t start = from;
        while (start < count && IsValidRecord(records[start])) ++start;
        if (start >= count) return;
        const int32_t end = FirstValidFrom(records, count, start);
        if (start == 0 || end < 0) return;  // unreachable after the fills; never index outside
        FillGap(records, start, end);
        from = end;
    }
}

bool FitsInt(long long value) { return value >= INT_MIN && value <= INT_MAX; }

}  // namespace

void ShiftRecordTime(GPSRecord& record, int seconds) {
    const long long tmYear = static_cast<long long>(record.year) - kTmYearBase;
    const long long tmMonth = static_cast<long long>(record.month) - 1;
    if (!FitsInt(tmYear) || !FitsInt(tmMonth)) return;

    std::tm local{};
    local.tm_year = static_cast<int>(tmYear);
    local.tm_mon = static_cast<int>(tmMonth);
    local.tm_mday = record.day;
    local.tm_hour = record.hour;
    local.tm_min = record.minute;
    local.tm_sec = record.second;
    local.tm_isdst = -1;  // let the zone rules decide, as a wall clock does

    // -1 is also a real instant (one second before the epoch); only errno tells
    // a failure apart.
    errno = 0;
    const std::time_t time = std::mktime(&local);
    if (time == static_cast<std::time_t>(-1) && errno != 0) return;

    const std::time_t shifted = time + seconds;
    std::tm result{};
    if (!localtime_r(&shifted, &result)) return;
    const long long year = static_cast<long long>(result.tm_year) + kTmYearBase;
    if (!FitsInt(year)) return;

    record.year = static_cast<int32_t>(year);
    record.month = result.tm_mon + 1;
    record.day = result.tm_mday;
    record.hour = result.tm_hour;
    record.minute = result.tm_min;
    record.second = result.tm_sec;
}

void RepairGPSRecords(GPSRecord* records, int32_t& count) {
    if (count >= 3) RemoveSpikes(records, count);
    RemoveNullFixes(records, count);

    const int32_t firstValid = count > 0 ? FirstValidFrom(records, count, 0) : -1;
    if (firstValid < 0) {
        count = 0;
        return;
    }
    FillLeadingRecords(records, firstValid);
    FillTrailingRecords(records, count, LastValid(records, count));
    InterpolateGaps(records, count);
}

void RepairGPSRecords(std::vector<GPSRecord>& records) {
    int32_t count = static_cast<int32_t>(records.size());
    RepairGPSRecords(records.data(), count);
    records.resize(static_cast<size_t>(count));
}
