#include "SiblingFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

std::string WithExtension(const std::string& path, const std::string& extension) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? path.substr(0, dot) : path) + "." + extension;
}

std::optional<std::string> FindSibling(const std::string& path, const std::vector<std::string>& extensions) {
    for (const std::string& extension : extensions) {
        std::string upper = extension, lower = extension;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        for (const std::string& candidate : {extension, upper, lower}) {
            const std::string sibling = WithExtension(path, candidate);
            std::error_code error;
            if (sibling != path && std::filesystem::is_regular_file(sibling, error)) return sibling;
        }
    }
    return std::nullopt;
}
