#include "TextSampleNmea.h"

#include "LenientNumber.h"
#include "GPSText.h"

#include <cstdio>
#include <vector>

namespace {

// The substitution: a character c stands for kPlain[c - '+'].
constexpr std::string_view kPlain = "-I8XQWRVNZOYPUTA0B1C2SJ9K.L,M$D3E4F5G6H7";
constexpr char kFirstCoded = '+';
constexpr size_t kMarkLength = 4;  // "*HH~"

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

bool HasSubstitutionMark(std::string_view text) {
    const size_t n = text.size();
    return n >= kMarkLength && text[n - 1] == '~' && text[n - 4] == '*' && IsHexDigit(text[n - 3]) &&
           IsHexDigit(text[n - 2]);
}

std::string Unsubstitute(std::string_view text) {
    std::string plain(text.substr(0, text.size() - kMarkLength));
    for (char& c : plain) {
        const int n = static_cast<unsigned char>(c) - kFirstCoded;
        if (n >= 0 && static_cast<size_t>(n) < kPlain.size()) c = kPlain[static_cast<size_t>(n)];
    }
    return plain;
}

bool IsBareSentence(std::string_view piece) {
    if (piece.size() < 6 || piece[5] != ',') return false;
    for (size_t i = 0; i < 5; ++i) {
        if (piece[i] < 'A' || piece[i] > 'Z') return false;
    }
    return true;
}

// "gsensori,RANGE,COUNTS_PER_G,X,Y,Z" as "$GSENSOR,x,y,z" in g.
std::string GSensorSentence(std::string_view piece) {
    const std::vector<std::string> fields = SplitString(piece, ",");
    constexpr size_t kScaleField = 2, kFirstAxis = 3, kAxes = 3;
    if (fields.size() < kFirstAxis + kAxes) return {};
    const double countsPerG = ReadLenientDecimal(fields[kScaleField]);
    if (!(countsPerG > 0)) return {};
    std::string sentence = "$GSENSOR";
    for (size_t axis = 0; axis < kAxes; ++axis) {
        char value[32];
        std::snprintf(value, sizeof value, ",%.4f", ReadLenientDecimal(fields[kFirstAxis + axis]) / countsPerG);
        sentence += value;
    }
    return sentence + "\n";
}

}  // namespace

std::string TextSampleAsNmea(std::string_view sample) {
    std::string text = HasSubstitutionMark(sample) ? Unsubstitute(sample) : std::string(sample);
    if (text.find(';') == std::string::npos || text.find('$') != std::string::npos) return text;
    std::string nmea;
    for (const std::string& piece : SplitString(text, ";")) {
        if (piece.starts_with("gsensori,")) nmea += GSensorSentence(piece);
        else if (IsBareSentence(piece)) nmea += "$" + piece + "\n";
    }
    return nmea;
}
