#include "ByteSource.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileByteSource::FileByteSource(const std::string& path) : fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    struct stat info;
    // A directory opens, but has no bytes to read.
    if (fd >= 0 && (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode))) {
        ::close(fd);
        fd = -1;
    }
    if (fd >= 0) fileSize = info.st_size;
}

FileByteSource::~FileByteSource() {
    if (fd >= 0) ::close(fd);
}

size_t FileByteSource::readAt(int64_t offset, void* buffer, size_t count) {
    if (fd < 0 || offset < 0) return 0;
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(fd, static_cast<char*>(buffer) + done, count - done, offset + int64_t(done));
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

size_t MemoryByteSource::readAt(int64_t offset, void* buffer, size_t count) {
    if (count == 0 || offset < 0 || static_cast<uint64_t>(offset) >= length) return 0;
    const size_t n = std::min(count, length - static_cast<size_t>(offset));
    std::memcpy(buffer, bytes + offset, n);
    return n;
}
