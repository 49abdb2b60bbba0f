#pragma once

#include "CliOptions.h"

#include <optional>
#include <string>

// DIR/<input's file name>.<suffix of the mode and format>.
std::string OutputPath(const std::string& dir, const std::string& input, const CliOptions& options);

// Why the inputs cannot each get their own output file (two share a file
// name), or none.
std::optional<std::string> OutputClash(const CliOptions& options);

// Creates the directory when missing; the reason it cannot be used, or none.
std::optional<std::string> PrepareOutputDir(const std::string& dir);

// Writes text to path; the reason it failed, or none.
std::optional<std::string> WriteOutputFile(const std::string& path, const std::string& text);
