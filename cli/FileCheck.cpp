#include "FileCheck.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

std::optional<std::string> CannotOpenReason(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return std::string("is a directory");
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return std::string(std::strerror(errno));
    std::fclose(file);
    return std::nullopt;
}
