#include "TrackExport.h"

#include "LocalDateTime.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>

namespace {

constexpr int64_t kMsPerSecond = 1000;
constexpr int64_t kMsPerMinute = 60 * kMsPerSecond;
// Beyond this the instant has no four-digit year anyway, and int64 milliseconds stay exact.
constexpr double kMaxPointTimeMs = 1e15;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

}  // namespace

bool IsMappable(const GPSPoint& point) { return IsPositionOnEarth(point.lat, point.lon); }

double WrapLongitude(double lon) { return lon == 180 ? -180 : lon; }

std::string FormatDecimal(double value) {
    std::array<char, 400> buffer;
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

std::optional<std::string> UtcTimeText(const TrackLoad& load, double pointTimeMs,
                                       int utcOffsetMinutes) {
    if (!load.hasStartTime || !std::isfinite(pointTimeMs) || std::abs(pointTimeMs) > kMaxPointTimeMs)
        return std::nullopt;
    // The clock the camera recorded, read back as it was written.
    const CalendarTime recorded = LocalCalendar(load.track->getStartTime());
    std::tm fields{};
    fields.tm_year = recorded.year - 1900;
    fields.tm_mon = recorded.month - 1;
    fields.tm_mday = recorded.day;
    fields.tm_hour = recorded.hour;
    fields.tm_min = recorded.minute;
    fields.tm_sec = recorded.second;
    const int64_t startMs = static_cast<int64_t>(timegm(&fields)) * kMsPerSecond;
    const int64_t instantMs =
        startMs + std::llround(pointTimeMs) - int64_t{utcOffsetMinutes} * kMsPerMinute;

    const std::time_t seconds = FloorDiv(instantMs, kMsPerSecond);
    const int64_t millis = instantMs - int64_t{seconds} * kMsPerSecond;
    std::tm utc{};
    if (!gmtime_r(&seconds, &utc) || utc.tm_year + 1900 < 1000 || utc.tm_year + 1900 > 9999)
        return std::nullopt;
    char text[40];
    size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    if (millis != 0)
        length += std::snprintf(text + length, sizeof text - length, ".%03d", static_cast<int>(millis));
    return std::string(text, length) + "Z";
}

const char* SourceName(TrackSource source) {
    return source == TrackSource::SideFile ? "side file" : "embedded";
}
