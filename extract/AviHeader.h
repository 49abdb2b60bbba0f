#pragma once

#include "ByteSource.h"

#include <optional>

// The length of an AVI file by its main header ('avih' in the first 'hdrl'
// list): frames times the time per frame. None when the file does not begin
// that way or either field is 0.
std::optional<double> AviDurationSeconds(ByteSource& source);
