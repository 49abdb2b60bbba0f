#pragma once

#include <string>
#include <string_view>

// File names are bytes; XML and JSON documents are UTF-8. These make any
// bytes safe to embed: invalid UTF-8 and characters the format cannot carry
// become U+FFFD.

// Character data or an attribute value (double-quoted) of an XML 1.0 document.
std::string XmlEscape(std::string_view text);

// A JSON string literal, quotes included.
std::string JsonString(std::string_view text);
