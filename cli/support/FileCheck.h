#pragma once

#include <optional>
#include <string>

// Why the file cannot be read, or none when it can.
std::optional<std::string> CannotOpenReason(const std::string& path);
