#pragma once

#include "BinaryFile.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One key-length-value item of GoPro's metadata format (GPMF): a key, a type
// character, the size of one sample and the number of samples, then the
// samples, big-endian, padded to four bytes. Type 0 marks an item whose
// samples are items again.
struct GpmfItem {
    FourCC key = 0;
    char type = 0;
    uint8_t sampleSize = 0;
    uint16_t repeat = 0;
    const unsigned char* data = nullptr;  // sampleSize * repeat bytes, all inside the payload

    size_t size() const { return size_t{sampleSize} * repeat; }
    bool nested() const { return type == 0; }
};

// The items of one nesting level, in order. An item that claims more bytes
// than its level has left ends the level.
class GpmfCursor {
public:
    GpmfCursor(const unsigned char* data, size_t size) : data(data), end(size) {}
    static GpmfCursor Children(const GpmfItem& item) { return {item.data, item.size()}; }

    std::optional<GpmfItem> next();

private:
    const unsigned char* data;
    size_t end;
    size_t offset = 0;
};

// The type of each value of one sample: for a structure ('?') the stream's
// TYPE text, otherwise the item's own type repeated to fill the sample. None
// when the types do not add up to the sample size or one is unknown.
std::optional<std::string> GpmfSampleLayout(const GpmfItem& item, std::string_view structureType);

// The values of sample index, as numbers, before scaling. Text, dates and
// identifiers read as NaN.
std::vector<double> GpmfSampleValues(const GpmfItem& item, std::string_view layout, size_t index);

// Every value of every sample, for short items such as SCAL.
std::vector<double> GpmfAllValues(const GpmfItem& item);

// The item's bytes as text, up to the first NUL.
std::string GpmfText(const GpmfItem& item);

// Divides each value by its SCAL divisor: one divisor for all values or one
// per value. A zero divisor makes the value NaN.
void GpmfApplyScale(std::vector<double>& values, const std::vector<double>& divisors);
