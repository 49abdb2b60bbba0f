#pragma once

#include "CalendarClock.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A camera writes one side file per clip, a few hundred bytes a second; a file
// far beyond that is not one, and reading it whole would exhaust memory.
inline constexpr std::uintmax_t kMaxSideFileBytes = 64u << 20;

// The whole file, or none when it cannot be read, is too large or holds a byte
// that is not 7-bit ASCII.
std::optional<std::string> ReadSideFileText(const std::string& path);

// The text cut at every U+0003 and U+000C. Each separator ends a component; the
// piece after the last separator is not one.
std::vector<std::string_view> SplitSideFileComponents(std::string_view text);

// The last 14 characters as year, month, day, hour, minute, second; none when
// the component is shorter.
std::optional<CalendarTime> ReadSideFileTimestamp(std::string_view component);

// Position, G-sensor block and timestamp, none overlapping another.
inline constexpr size_t kMinRecordLineLength = 33;

// Character 0 a latitude letter, character 9 a longitude letter, and room for
// the position and the timestamp after it.
bool IsRecordLine(std::string_view component);

struct SideFileFix {
    double lat = 0;
    double lon = 0;
    int16_t gsX = 0;
    int16_t gsY = 0;
    int16_t gsZ = 0;
};

// Position and G-sensor means of a record line (IsRecordLine).
SideFileFix ReadRecordLine(std::string_view line);
