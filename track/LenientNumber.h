#pragma once

#include <string_view>

// Fixed-width text fields read the way atof and atoi read them: leading blanks
// and a sign are accepted and reading stops at the first character that does
// not continue the number; no digits read as 0. Unlike atof they ignore the
// user's locale and never read "inf", "nan", hex or exponents.
double ReadLenientDecimal(std::string_view field);
int ReadLenientInt(std::string_view field);
