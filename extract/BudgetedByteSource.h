#pragma once

#include "ByteSource.h"

#include <algorithm>

// Another source read only up to a number of bytes; past it every read is
// short, as at the end of a truncated file, so a reader stops with what it
// has. Lets a caller try the readers where a look must stay cheap.
class BudgetedByteSource final : public ByteSource {
public:
    BudgetedByteSource(ByteSource& inner, int64_t budget) : inner(inner), left(budget) {}

    // A read was cut short: what the readers gave may be incomplete.
    bool exhausted() const { return spent; }

    int64_t size() const override { return inner.size(); }
    size_t readAt(int64_t offset, void* buffer, size_t count) override {
        if (static_cast<int64_t>(count) > left) {
            spent = true;
            count = static_cast<size_t>(std::max<int64_t>(left, 0));
        }
        const size_t read = count ? inner.readAt(offset, buffer, count) : 0;
        left -= static_cast<int64_t>(read);
        return read;
    }

private:
    ByteSource& inner;
    int64_t left;
    bool spent = false;
};
