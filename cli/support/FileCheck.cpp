#include "FileCheck.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

std::optional<std::string> CannotOpenReason(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (std::filesystem::is_directory(status)) return std::string("is a directory");
    // Opening a FIFO would wait for a writer; a device is no recording.
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return std::string("not a regular file");
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return std::string(std::strerror(errno));
    std::fclose(file);
    return std::nullopt;
}
