#pragma once

#include "GPSRecord.h"

#include <string>
#include <string_view>
#include <vector>

// Splits at every delimiter; a delimiter at the very end adds no empty field.
std::vector<std::string> SplitString(std::string_view text, std::string_view delimiter);

// Fills all fields of record from an 11-field comma-separated GPS text.
// Returns false and leaves record untouched for any other field count.
bool ParseGPSText(std::string_view text, GPSRecord& record);
