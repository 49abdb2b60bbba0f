#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Random-access bytes of one file or one buffer. Readers see only this, so
// tests and fuzzers hand them memory and never write a file.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual int64_t size() const = 0;
    // Reads up to count bytes at offset; returns how many were read, 0 past
    // the end, for a negative offset or on an error.
    virtual size_t readAt(int64_t offset, void* buffer, size_t count) = 0;

    bool readExactAt(int64_t offset, void* buffer, size_t count) { return readAt(offset, buffer, count) == count; }
};

// A regular file read with pread. A directory or a path that cannot be
// opened gives a source that is not open.
class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(const std::string& path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    bool isOpen() const { return fd >= 0; }
    int64_t size() const override { return fileSize; }
    size_t readAt(int64_t offset, void* buffer, size_t count) override;

private:
    int fd = -1;
    int64_t fileSize = 0;
};

// Bytes the caller keeps alive for as long as the source is used.
class MemoryByteSource final : public ByteSource {
public:
    MemoryByteSource(const void* data, size_t length)
        : bytes(static_cast<const unsigned char*>(data)), length(length) {}
    explicit MemoryByteSource(const std::string& data) : MemoryByteSource(data.data(), data.size()) {}

    int64_t size() const override { return static_cast<int64_t>(length); }
    size_t readAt(int64_t offset, void* buffer, size_t count) override;

private:
    const unsigned char* bytes;
    size_t length;
};
