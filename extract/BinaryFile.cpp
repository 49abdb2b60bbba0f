#include "BinaryFile.h"

#include <sys/stat.h>
#include <unistd.h>

BinaryFile::BinaryFile(const char* path) : fp(std::fopen(path, "rb")) {
    // A directory opens, but every read fails and its size is LLONG_MAX.
    struct stat info;
    if (fp && fstat(fileno(fp), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(fp);
        fp = nullptr;
    }
    if (fp && fseeko(fp, 0, SEEK_END) == 0) {
        fileSize = ftello(fp);
        fseeko(fp, 0, SEEK_SET);
    }
}

BinaryFile::~BinaryFile() {
    if (fp) std::fclose(fp);
}

void BinaryFile::setUnbuffered() {
    if (fp) std::setvbuf(fp, nullptr, _IONBF, 0);
}

int64_t BinaryFile::position() { return ftello(fp); }

int64_t BinaryFile::remaining() {
    const int64_t here = position();
    return here < 0 || fileSize < here ? 0 : fileSize - here;
}

bool BinaryFile::seek(int64_t offset) {
    return offset >= 0 && fseeko(fp, offset, SEEK_SET) == 0;
}

bool BinaryFile::skip(int64_t count) {
    const int64_t here = position();
    if (here < 0) return false;
    if (count < 0 && -count > here) return false;
    return fseeko(fp, count, SEEK_CUR) == 0;
}

bool BinaryFile::read(void* buffer, size_t count) {
    return std::fread(buffer, 1, count, fp) == count;
}

size_t BinaryFile::readSome(void* buffer, size_t count) {
    return std::fread(buffer, 1, count, fp);
}

size_t BinaryFile::readSomeAt(int64_t offset, void* buffer, size_t count) {
    if (offset < 0) return 0;
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(fileno(fp), static_cast<char*>(buffer) + done, count - done, offset + done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

std::optional<std::string> BinaryFile::readText(size_t count) {
    if (count > static_cast<uint64_t>(remaining())) return std::nullopt;
    std::string text(count, '\0');
    if (count > 0 && !read(text.data(), count)) return std::nullopt;
    return text;
}

std::optional<uint32_t> BinaryFile::readBE32() {
    unsigned char b[4];
    if (!read(b, sizeof b)) return std::nullopt;
    return LoadBE32(b);
}

std::optional<uint16_t> BinaryFile::readBE16() {
    unsigned char b[2];
    if (!read(b, sizeof b)) return std::nullopt;
    return LoadBE16(b);
}

std::optional<uint32_t> BinaryFile::readLE32() {
    unsigned char b[4];
    if (!read(b, sizeof b)) return std::nullopt;
    return LoadLE32(b);
}
