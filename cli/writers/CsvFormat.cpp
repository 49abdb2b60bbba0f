#include "CsvFormat.h"

#include <array>
#include <charconv>
#include <cstdio>

std::string FormatReal(double value) {
    std::array<char, 32> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string FormatRefLetter(char letter) {
    const auto byte = static_cast<unsigned char>(letter);
    if (byte == 0) return {};
    const bool plain = byte >= 0x20 && byte < 0x7F && byte != ',' && byte != '"' && byte != '\\';
    if (plain) return std::string(1, letter);
    char escaped[5];
    std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
    return escaped;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}
