#include "LenientNumber.h"

#include <climits>
#include <cstdlib>
#include <locale.h>
#include <string>

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

size_t SkipDigits(std::string_view field, size_t pos) {
    while (pos < field.size() && IsDigit(field[pos])) ++pos;
    return pos;
}

// The C locale, so that '.' is the decimal point whatever the desktop's locale.
locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

}  // namespace

double ReadLenientDecimal(std::string_view field, NumberSyntax syntax) {
    size_t pos = 0;
    const int sign = SkipToDigits(field, pos);
    const size_t start = pos;
    pos = SkipDigits(field, pos);
    bool digits = pos > start;
    if (pos < field.size() && field[pos] == '.') {
        const size_t fraction = pos + 1;
        pos = SkipDigits(field, fraction);
        digits = digits || pos > fraction;
    }
    if (!digits) return 0;
    if (syntax == NumberSyntax::WithExponent && pos < field.size() && (field[pos] == 'e' || field[pos] == 'E')) {
        size_t exponent = pos + 1;
        if (exponent < field.size() && (field[exponent] == '+' || field[exponent] == '-')) ++exponent;
        const size_t end = SkipDigits(field, exponent);
        if (end > exponent) pos = end;
    }
    // The text is cut to the number's grammar first, so strtod sees only that,
    // and rounds it correctly (and to infinity beyond double) as atof would.
    const std::string number(field.substr(start, pos - start));
    return sign * strtod_l(number.c_str(), nullptr, CLocale());
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
