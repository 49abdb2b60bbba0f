#pragma once

#include "ScopedTempDir.h"

#include <string>

// Whether xmllint accepts the file against the GPX 1.1 schema; its messages go to report.
bool ValidatesAgainstGpxSchema(const std::string& gpxPath, std::string& report);

struct ExtractRun {
    int status = -1;
    std::string out, err;
};

// Runs the real kolvar-extract in dir; TZ and LC_ALL come from the test's environment.
ExtractRun RunExtract(const ScopedTempDir& dir, const std::string& args);
