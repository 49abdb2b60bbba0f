#pragma once

#include <optional>
#include <string>
#include <vector>

// The path with the file name's last extension replaced: /a/clip.gps, "3gf" -> /a/clip.3gf.
std::string WithExtension(const std::string& path, const std::string& extension);

// The first regular file beside path with one of the extensions, each tried as
// given, then upper-cased, then lower-cased.
std::optional<std::string> FindSibling(const std::string& path, const std::vector<std::string>& extensions);
