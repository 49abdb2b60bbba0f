#pragma once

#include <optional>
#include <string>
#include <vector>

// Every text sample of the text tracks of a MOV/MP4 file, unparsed.
class MovSubtitle {
public:
    // None when the file cannot be opened; an empty list without a text track.
    std::optional<std::vector<std::string>> GetSubtitle(const std::string& path);
};
