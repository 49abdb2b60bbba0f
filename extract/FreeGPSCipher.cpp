#include "FreeGPSCipher.h"

#include <array>
#include <cstdint>
#include <vector>

namespace {

std::string_view TrimNul(std::string_view field) {
    while (!field.empty() && field.back() == '\0') field.remove_suffix(1);
    return field;
}

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

std::string Base64Decode(std::string_view text) {
    std::string bytes;
    uint32_t bits = 0;
    int count = 0;
    for (const char c : text) {
        const int value = Base64Value(c);
        if (value < 0) break;  // '=' padding ends the data
        bits = (bits << 6) | static_cast<uint32_t>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes.push_back(static_cast<char>((bits >> count) & 0xFF));
        }
    }
    return bytes;
}

std::string Rc4(std::string_view data, std::string_view key) {
    std::array<uint8_t, 256> state;
    for (int i = 0; i < 256; ++i) state[i] = static_cast<uint8_t>(i);
    uint8_t j = 0;
    for (int i = 0; i < 256; ++i) {
        j = static_cast<uint8_t>(j + state[i] + static_cast<uint8_t>(key[i % key.size()]));
        std::swap(state[i], state[j]);
    }
    std::string out(data);
    uint8_t a = 0, b = 0;
    for (char& c : out) {
        a = static_cast<uint8_t>(a + 1);
        b = static_cast<uint8_t>(b + state[a]);
        std::swap(state[a], state[b]);
        c = static_cast<char>(static_cast<uint8_t>(c) ^ state[static_cast<uint8_t>(state[a] + state[b])]);
    }
    return out;
}

// digits '.' digits, at most maxWhole digits before the point.
bool IsDecimal(std::string_view text, size_t maxWhole) {
    const size_t dot = text.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot > maxWhole || dot + 1 == text.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (i != dot && (text[i] < '0' || text[i] > '9')) return false;
    return true;
}

}  // namespace

bool LooksLikeLuckyCipherText(std::string_view field) {
    std::string_view text = TrimNul(field);
    while (!text.empty() && text.back() == '=') text.remove_suffix(1);
    if (text.size() < 8 || text.size() > 20) return false;
    for (const char c : text)
        if (Base64Value(c) < 0) return false;
    return true;
}

std::optional<std::pair<std::string, std::string>> DecipherLuckyPair(std::string_view lat, std::string_view lon) {
    if (!LooksLikeLuckyCipherText(lat) || !LooksLikeLuckyCipherText(lon)) return std::nullopt;
    const std::string latBytes = Base64Decode(TrimNul(lat)), lonBytes = Base64Decode(TrimNul(lon));
    // "luckychip gps", then "customer XX gps" with XX from "aa" to "ss".
    std::vector<std::string> keys{"luckychip gps"};
    for (char letter = 'a'; letter <= 's'; ++letter) keys.push_back(std::string("customer ") + letter + letter + " gps");
    for (const std::string& key : keys) {
        std::string plainLat = Rc4(latBytes, key), plainLon = Rc4(lonBytes, key);
        if (IsDecimal(plainLat, 4) && IsDecimal(plainLon, 5)) return std::pair(plainLat, plainLon);
    }
    return std::nullopt;
}
