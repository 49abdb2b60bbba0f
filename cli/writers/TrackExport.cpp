#include "TrackExport.h"

#include "CalendarClock.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>

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
    const int64_t startMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                                load.track->getStartTime().time_since_epoch()).count();
    int64_t clockStartMs = startMs;
    if (load.clock == GPSClock::Local) {
        // The camera's local clock, read back as it was written, is taken for UTC
        // and moved by the offset; a GPS clock's start is the instant itself.
        const std::optional<int64_t> start =
            CalendarToSeconds(LocalCalendar(load.track->getStartTime()), GPSClock::UTC);
        if (!start) return std::nullopt;
        clockStartMs = *start * kMsPerSecond + (startMs - FloorDiv(startMs, kMsPerSecond) * kMsPerSecond);
    }
    const int64_t instantMs =
        clockStartMs + std::llround(pointTimeMs) - int64_t{utcOffsetMinutes} * kMsPerMinute;

    const int64_t seconds = FloorDiv(instantMs, kMsPerSecond);
    const int64_t millis = instantMs - seconds * kMsPerSecond;
    const std::optional<CalendarTime> utc = SecondsToCalendar(seconds, GPSClock::UTC);
    if (!utc || utc->year < 1000 || utc->year > 9999) return std::nullopt;
    char text[80];
    int length = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", utc->year, utc->month, utc->day,
                               utc->hour, utc->minute, utc->second);
    if (millis != 0)
        length += std::snprintf(text + length, sizeof text - length, ".%03d", static_cast<int>(millis));
    return std::string(text, static_cast<size_t>(length)) + "Z";
}

const char* SourceName(TrackSource source) {
    return source == TrackSource::SideFile ? "side file" : "embedded";
}
