#include "LenientNumber.h"

#include <climits>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips blanks and reads an optional sign; returns -1 or +1.
int SkipToDigits(std::string_view field, size_t& pos) {
    while (pos < field.size() && IsBlank(field[pos])) ++pos;
    if (pos < field.size() && (field[pos] == '+' || field[pos] == '-')) return field[pos++] == '-' ? -1 : 1;
    return 1;
}

}  // namespace

double ReadLenientDecimal(std::string_view field) {
    size_t pos = 0;
    const int sign = SkipToDigits(field, pos);
    double value = 0;
    for (; pos < field.size() && IsDigit(field[pos]); ++pos) value = value * 10 + (field[pos] - '0');
    if (pos < field.size() && field[pos] == '.') {
        double scale = 0.1;
        for (++pos; pos < field.size() && IsDigit(field[pos]); ++pos, scale /= 10)
            value += (field[pos] - '0') * scale;
    }
    return sign * value;
}

int ReadLenientInt(std::string_view field) {
    size_t pos = 0;
    const int sign = SkipToDigits(field, pos);
    long long value = 0;
    for (; pos < field.size() && IsDigit(field[pos]); ++pos) {
        value = value * 10 + (field[pos] - '0');
        if (value > INT_MAX) return sign < 0 ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(sign * value);
}
