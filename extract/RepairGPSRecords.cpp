#include "RepairGPSRecords.h"

#include <algorithm>
#include <cmath>

namespace {

// A jump this large in degrees on both sides of a record cannot be driving.
constexpr double kSpikeDegrees = 10.0;
// Closer than this to 0 / 0 is a receiver that had no fix yet.
constexpr double kNullFixDegrees = 0.0000001;

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

void FillLeadingRecords(GPSRecord* records, int32_t firstValid, GPSClock clock) {
    for (int32_t j = firstValid - 1; j >= 0; --j) {
        records[j] = records[j + 1];
        ShiftRecordTime(records[j], -1, clock);
    }
}

void FillTrailingRecords(GPSRecord* records, int32_t count, int32_t lastValid, GPSClock clock) {
    for (int32_t j = lastValid + 1; j < count; ++j) {
        records[j] = records[j - 1];
        ShiftRecordTime(records[j], +1, clock);
    }
}

double Interpolate(double from, double to, int32_t gapLength, int32_t k) {
    return ((to - from) / (gapLength + 1)) * k + from;
}

// Fills the hole between the valid records start - 1 and end: each filled
// record continues the one before it by a second, its values on the straight
// line between the two.
void FillGap(GPSRecord* records, int32_t start, int32_t end, GPSClock clock) {
    const GPSRecord& a = records[start - 1];
    const GPSRecord& b = records[end];
    const int32_t length = end - start;
    for (int32_t k = 1; k <= length; ++k) {
        GPSRecord& filled = records[start - 1 + k];
        filled = records[start - 2 + k];
        ShiftRecordTime(filled, +1, clock);
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
void InterpolateGaps(GPSRecord* records, int32_t count, GPSClock clock) {
    int32_t from = 0;
    for (;;) {
        int32_t start = from;
        while (start < count && IsValidRecord(records[start])) ++start;
        if (start >= count) return;
        const int32_t end = FirstValidFrom(records, count, start);
        if (start == 0 || end < 0) return;  // unreachable after the fills; never index outside
        FillGap(records, start, end, clock);
        from = end;
    }
}

// A hole in records taken several times a second is not a whole second long.
bool IsSubSecond(const GPSRecord* records, int32_t count) {
    return std::any_of(records, records + count, [](const GPSRecord& r) { return r.millisecond != 0; });
}

}  // namespace

void ShiftRecordTime(GPSRecord& record, int seconds, GPSClock clock) {
    const std::optional<int64_t> time = CalendarToSecondsNormalising(RecordCalendar(record), clock);
    if (!time) return;
    const std::optional<CalendarTime> shifted = SecondsToCalendar(*time + seconds, clock);
    if (shifted) SetRecordCalendar(record, *shifted);
}

void RepairGPSRecords(GPSRecord* records, int32_t& count, GPSClock clock) {
    if (count >= 3) RemoveSpikes(records, count);
    RemoveNullFixes(records, count);

    const int32_t firstValid = count > 0 ? FirstValidFrom(records, count, 0) : -1;
    if (firstValid < 0) {
        count = 0;
        return;
    }
    if (IsSubSecond(records, count)) {
        count = static_cast<int32_t>(std::remove_if(records, records + count, [](const GPSRecord& r) {
                                         return !IsValidRecord(r);
                                     }) - records);
        return;
    }
    FillLeadingRecords(records, firstValid, clock);
    FillTrailingRecords(records, count, LastValid(records, count), clock);
    InterpolateGaps(records, count, clock);
}

void RepairGPSRecords(std::vector<GPSRecord>& records, GPSClock clock) {
    int32_t count = static_cast<int32_t>(records.size());
    RepairGPSRecords(records.data(), count, clock);
    records.resize(static_cast<size_t>(count));
}
