#pragma once

#include <string>

// Shortest text that reads back to the same double.
std::string FormatReal(double value);

// A hemisphere letter as a CSV field: itself when plain printable ASCII,
// empty for NUL, otherwise \xNN.
std::string FormatRefLetter(char letter);
