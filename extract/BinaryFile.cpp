#include "BinaryFile.h"

#include <algorithm>
#include <cstring>

BinaryFile::BinaryFile(const char* path) : owned(std::make_unique<FileByteSource>(path)) {
    if (!owned->isOpen()) return;
    source = owned.get();
    fileSize = source->size();
}

int64_t BinaryFile::position() { return pos; }

int64_t BinaryFile::remaining() { return fileSize < pos ? 0 : fileSize - pos; }

bool BinaryFile::seek(int64_t offset) {
    if (offset < 0) return false;
    pos = offset;
    return true;
}

bool BinaryFile::skip(int64_t count) {
    if (count < 0 && -count > pos) return false;
    pos += count;
    return true;
}

bool BinaryFile::read(void* out, size_t count) { return readSome(out, count) == count; }

size_t BinaryFile::readSome(void* out, size_t count) {
    size_t done = 0;
    if (count >= buffer.size() || buffer.empty()) {
        done = source->readAt(pos, out, count);
    } else {
        if (pos < bufferStart || pos + int64_t(count) > bufferStart + int64_t(buffered)) {
            bufferStart = pos;
            buffered = source->readAt(pos, buffer.data(), buffer.size());
        }
        if (pos >= bufferStart && pos < bufferStart + int64_t(buffered)) {
            done = std::min(count, buffered - size_t(pos - bufferStart));
            std::memcpy(out, buffer.data() + (pos - bufferStart), done);
        }
    }
    pos += int64_t(done);
    return done;
}

size_t BinaryFile::readSomeAt(int64_t offset, void* out, size_t count) { return source->readAt(offset, out, count); }

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
