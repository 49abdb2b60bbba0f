#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ByteSource.h"

// Sequential reading over a byte source, with 64-bit positions and exact
// reads: a short read is a failure, so no caller ever decodes bytes that were
// not read.
class BinaryFile {
public:
    explicit BinaryFile(const char* path);
    explicit BinaryFile(ByteSource& source) : source(&source), fileSize(source.size()) {}
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    bool isOpen() const { return source != nullptr; }
    // Unbuffered suits sparse probes that read a few bytes far apart.
    void setUnbuffered() { buffer.clear(); buffer.shrink_to_fit(); }
    ByteSource& bytes() { return *source; }

    int64_t size() const { return fileSize; }
    int64_t position();
    int64_t remaining();
    bool seek(int64_t offset);  // from the start of the file
    bool skip(int64_t count);   // forward or backward from the current position
    bool read(void* buffer, size_t count);
    // Reads up to count bytes; returns how many were read.
    size_t readSome(void* buffer, size_t count);
    // Reads at offset in one system call, bypassing the stream's buffer and
    // position: for sparse probes. Returns how many bytes were read.
    size_t readSomeAt(int64_t offset, void* buffer, size_t count);
    bool readAt(int64_t offset, void* buffer, size_t count) { return readSomeAt(offset, buffer, count) == count; }
    // Refuses counts beyond the end of the file before allocating anything.
    std::optional<std::string> readText(size_t count);

    std::optional<uint32_t> readBE32();
    std::optional<uint16_t> readBE16();
    std::optional<uint32_t> readLE32();

private:
    std::unique_ptr<FileByteSource> owned;
    ByteSource* source = nullptr;
    int64_t fileSize = -1;
    int64_t pos = 0;
    // Bytes of the source from bufferStart, for small sequential reads.
    std::vector<unsigned char> buffer = std::vector<unsigned char>(kBufferSize);
    int64_t bufferStart = 0;
    size_t buffered = 0;
    static constexpr size_t kBufferSize = 16384;
};

// Decoding helpers for fields already in memory.
inline uint32_t LoadBE32(const unsigned char* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}
inline uint16_t LoadBE16(const unsigned char* p) {
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}
inline uint32_t LoadLE32(const unsigned char* p) {
    return (uint32_t{p[3]} << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | uint32_t{p[0]};
}
inline uint16_t LoadLE16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint64_t LoadLE64(const unsigned char* p) { return (uint64_t{LoadLE32(p + 4)} << 32) | LoadLE32(p); }
inline int32_t LoadLEInt(const unsigned char* p) { return static_cast<int32_t>(LoadLE32(p)); }
inline float LoadLEFloat(const unsigned char* p) {
    const uint32_t bits = LoadLE32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
inline double LoadLEDouble(const unsigned char* p) {
    const uint64_t bits = LoadLE64(p);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Four-character codes compared as raw bytes.
using FourCC = uint32_t;
constexpr FourCC MakeFourCC(const char (&code)[5]) {
    return (uint32_t(uint8_t(code[0])) << 24) | (uint32_t(uint8_t(code[1])) << 16) |
           (uint32_t(uint8_t(code[2])) << 8) | uint32_t(uint8_t(code[3]));
}
