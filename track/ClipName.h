#pragma once

#include "CalendarClock.h"

#include <optional>
#include <string>

// Which camera of a multi-channel dash cam recorded a clip.
enum class CameraChannel { Front, Rear, Interior };

const char* ChannelName(CameraChannel channel);

// The date and time a dash cam wrote into the clip's file name, on the
// camera's clock: YYYYMMDDhhmmss, YYYYMMDD_hhmmss, YYYY_MMDD_hhmmss,
// yymmdd_hhmmss, YYYY_MM_DD_hh_mm_ss or yymmddhhmmss, wherever they stand in
// the name and whatever single character ('_', '-', '.', ' ') separates the
// groups. None when no group of digits reads as a real date and time.
std::optional<CalendarTime> FileNameDateTime(const std::string& path);

// The channel a file name or its folder marks: a letter or a word at the end
// of the name (..._F, ...000123R, BlackVue _NF, Nextbase _RH, ..._rear),
// else a Front, Rear, Inside, ... folder. Front when nothing marks it: a
// single-channel camera writes no marker.
CameraChannel ClipChannel(const std::string& path);
