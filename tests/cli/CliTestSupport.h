#pragma once

#include "ScopedTempDir.h"

#include <string>

// Whether xmllint accepts the file against the GPX 1.1 schema; its messages go to report.
bool ValidatesAgainstGpxSchema(const std::string& gpxPath, std::string& report);
