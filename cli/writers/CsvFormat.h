#pragma once

#include <string>

// Shortest text that reads back to the same double.
std::string FormatReal(double value);

// A hemisphere letter as a CSV field: itself when plain printable ASCII,
// empty for NUL, otherwise \xNN.
std::string FormatRefLetter(char letter);

// RFC 4180: a field with a comma, a quote or a line break is quoted, its quotes doubled.
std::string CsvField(const std::string& text);
