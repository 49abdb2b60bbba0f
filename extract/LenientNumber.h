#pragma once

#include <string_view>

// How much of a field a lenient reading takes as the number.
enum class NumberSyntax {
    Decimal,       // digits with an optional fraction: fixed-width fields and NMEA
    WithExponent,  // and an exponent ("1e2"), as atof reads the comma-separated GPS text
};

// Fields read the way atof and atoi read them: leading blanks and a sign are
// accepted and reading stops at the first character that does not continue the
// number; no digits read as 0. Unlike atof they ignore the user's locale and
// never read "inf", "nan" or hex. Integers beyond int saturate.
double ReadLenientDecimal(std::string_view field, NumberSyntax syntax = NumberSyntax::Decimal);
int ReadLenientInt(std::string_view field);
