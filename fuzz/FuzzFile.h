#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

// Writes the fuzzer's input to a file of this process, with the extension the
// reader under test expects, and returns its path. The file is removed when
// the process exits normally.
inline const std::string& WriteFuzzFile(const uint8_t* data, size_t size, const char* extension) {
    struct RemovedAtExit {
        std::string path;
        ~RemovedAtExit() { std::remove(path.c_str()); }
    };
    static const RemovedAtExit file{"/tmp/kolvar-fuzz-" + std::to_string(getpid()) + "." + extension};
    const std::string& path = file.path;
    std::FILE* fp = std::fopen(path.c_str(), "wb");
    if (!fp) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, fp) != size) std::abort();
    std::fclose(fp);
    return path;
}
