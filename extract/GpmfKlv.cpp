#include "GpmfKlv.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr size_t kItemHeaderSize = 8;
constexpr size_t kAlignment = 4;
constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// Bytes of one value of a type character; 0 for an unknown type.
size_t TypeSize(char type) {
    switch (type) {
        case 'b': case 'B': case 'c': return 1;
        case 's': case 'S': return 2;
        case 'f': case 'F': case 'l': case 'L': case 'q': return 4;
        case 'd': case 'j': case 'J': case 'Q': return 8;
        case 'G': case 'U': return 16;
        default: return 0;
    }
}

uint64_t LoadBE64(const unsigned char* p) { return (uint64_t{LoadBE32(p)} << 32) | LoadBE32(p + 4); }

double DecodeValue(char type, const unsigned char* p) {
    switch (type) {
        case 'b': return static_cast<int8_t>(p[0]);
        case 'B': case 'c': return p[0];
        case 's': return static_cast<int16_t>(LoadBE16(p));
        case 'S': return LoadBE16(p);
        case 'l': return static_cast<int32_t>(LoadBE32(p));
        case 'L': case 'F': return LoadBE32(p);
        case 'j': return static_cast<double>(static_cast<int64_t>(LoadBE64(p)));
        case 'J': return static_cast<double>(LoadBE64(p));
        case 'q': return static_cast<int32_t>(LoadBE32(p)) / 65536.0;
        case 'Q': return static_cast<double>(static_cast<int64_t>(LoadBE64(p))) / 4294967296.0;
        case 'f': {
            const uint32_t bits = LoadBE32(p);
            float value;
            std::memcpy(&value, &bits, sizeof value);
            return value;
        }
        case 'd': {
            const uint64_t bits = LoadBE64(p);
            double value;
            std::memcpy(&value, &bits, sizeof value);
            return value;
        }
        default: return kNotANumber;
    }
}

}  // namespace

std::optional<GpmfItem> GpmfCursor::next() {
    if (end - offset < kItemHeaderSize) return std::nullopt;
    const unsigned char* header = data + offset;
    GpmfItem item;
    item.key = LoadBE32(header);
    item.type = static_cast<char>(header[4]);
    item.sampleSize = header[5];
    item.repeat = LoadBE16(header + 6);
    const size_t left = end - offset - kItemHeaderSize;
    if (item.size() > left) {
        offset = end;
        return std::nullopt;
    }
    item.data = header + kItemHeaderSize;
    const size_t padded = (item.size() + kAlignment - 1) / kAlignment * kAlignment;
    // The last item of a level may go without its padding.
    offset += kItemHeaderSize + std::min(padded, left);
    return item;
}

std::optional<std::string> GpmfSampleLayout(const GpmfItem& item, std::string_view structureType) {
    std::string layout;
    if (item.type == '?') {
        layout.assign(structureType);
    } else {
        const size_t valueSize = TypeSize(item.type);
        if (valueSize == 0 || item.sampleSize % valueSize != 0) return std::nullopt;
        layout.assign(item.sampleSize / valueSize, item.type);
    }
    size_t total = 0;
    for (const char type : layout) {
        const size_t valueSize = TypeSize(type);
        if (valueSize == 0) return std::nullopt;
        total += valueSize;
    }
    if (total != item.sampleSize || layout.empty()) return std::nullopt;
    return layout;
}

std::vector<double> GpmfSampleValues(const GpmfItem& item, std::string_view layout, size_t index) {
    std::vector<double> values;
    if (index >= item.repeat) return values;
    const unsigned char* p = item.data + index * item.sampleSize;
    values.reserve(layout.size());
    for (const char type : layout) {
        values.push_back(DecodeValue(type, p));
        p += TypeSize(type);
    }
    return values;
}

std::vector<double> GpmfAllValues(const GpmfItem& item) {
    std::vector<double> values;
    const std::optional<std::string> layout = GpmfSampleLayout(item, {});
    if (!layout) return values;
    for (size_t i = 0; i < item.repeat; ++i) {
        const std::vector<double> sample = GpmfSampleValues(item, *layout, i);
        values.insert(values.end(), sample.begin(), sample.end());
    }
    return values;
}

std::string GpmfText(const GpmfItem& item) {
    const char* text = reinterpret_cast<const char*>(item.data);
    return std::string(text, strnlen(text, item.size()));
}

void GpmfApplyScale(std::vector<double>& values, const std::vector<double>& divisors) {
    if (divisors.empty()) return;
    for (size_t i = 0; i < values.size(); ++i) {
        const double divisor = divisors.size() == 1 ? divisors[0] : i < divisors.size() ? divisors[i] : 1.0;
        values[i] = divisor == 0 ? kNotANumber : values[i] / divisor;
    }
}
