#pragma once

#include "ByteSource.h"

#include <algorithm>

// Another source read only up to a budget; past it every read is short, as
// at the end of a truncated file, so a reader stops with what it has. Each
// read costs at least a page, so that a scan in small steps is bounded as
// well as one in large blocks. Lets a caller try the readers where a look
// must stay cheap.
class BudgetedByteSource final : public ByteSource {
public:
    BudgetedByteSource(ByteSource& inner, int64_t budget) : inner(inner), left(budget) {}

    // A read was cut short: what the readers gave may be incomplete.
    bool exhausted() const { return spent; }

    int64_t size() const override { return inner.size(); }
    size_t readAt(int64_t offset, void* buffer, size_t count) override {
        const int64_t cost = std::max<int64_t>(static_cast<int64_t>(count), kLeastCost);
        if (cost > left) {
            spent = true;
            return 0;
        }
        left -= cost;
        return inner.readAt(offset, buffer, count);
    }

private:
    static constexpr int64_t kLeastCost = 4096;
    ByteSource& inner;
    int64_t left;
    bool spent = false;
};
