#pragma once

#include <ostream>

// The registry's dialects as a Markdown table: the table of docs/formats.md.
void WriteFormatsTable(std::ostream& out);
