#pragma once

#include "DriveClip.h"

#include <cstdint>
#include <string>

// Bytes of a clip the GPS readers may read while a library is imported: the
// movie atom and a text track's samples fit, a scan through a whole clip
// does not.
inline constexpr int64_t kClipProbeBudget = 2 << 20;

// ReadDriveClip made cheap enough for a card of hundreds of clips: a side
// file is read whole, the data inside the video only as far as the budget
// goes. A clip whose GPS data lies beyond it keeps the first fix found
// (or none) and no distance; the rest comes from the name and the headers.
DriveClip ProbeDriveClip(const std::string& path, int64_t budget = kClipProbeBudget);

// What the name and the file's time tell without opening it: a stand-in for
// a clip until it has been probed.
DriveClip NamedDriveClip(const std::string& path);
