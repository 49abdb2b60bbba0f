#pragma once

#include "ByteSource.h"

#include <algorithm>

// A window on another source, so a reader of a whole file can read a box
// inside one as if it were the file.
class SubByteSource final : public ByteSource {
public:
    SubByteSource(ByteSource& parent, int64_t offset, int64_t length)
        : parent(parent), offset(offset), length(std::max<int64_t>(0, std::min(length, parent.size() - offset))) {}

    int64_t size() const override { return length; }
    size_t readAt(int64_t at, void* buffer, size_t count) override {
        if (at < 0 || at >= length) return 0;
        return parent.readAt(offset + at, buffer, static_cast<size_t>(std::min<int64_t>(int64_t(count), length - at)));
    }

private:
    ByteSource& parent;
    int64_t offset;
    int64_t length;
};
