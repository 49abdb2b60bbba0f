#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

// LuckyChip-based cameras store latitude and longitude as base64 texts of an
// RC4-enciphered "ddmm.mmmm", under one of a few published keys.

// True when the field (NUL-padded) is 8 to 20 base64 characters.
bool LooksLikeLuckyCipherText(std::string_view field);

// The plain latitude and longitude texts, or none when no known key gives
// two numbers.
std::optional<std::pair<std::string, std::string>> DecipherLuckyPair(std::string_view lat, std::string_view lon);
