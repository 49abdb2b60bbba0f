#include "Mp4Movie.h"

#include <array>

bool LooksLikeMp4(const unsigned char* head, size_t size) {
    // 0: atom size, 4: atom type
    constexpr size_t kHeaderSize = 8;
    static constexpr std::array<FourCC, 6> kFirstAtoms = {MakeFourCC("ftyp"), MakeFourCC("moov"), MakeFourCC("mdat"),
                                                          MakeFourCC("free"), MakeFourCC("skip"), MakeFourCC("wide")};
    if (size < kHeaderSize) return false;
    const FourCC type = LoadBE32(head + 4);
    for (const FourCC known : kFirstAtoms) {
        if (type == known) return true;
    }
    return false;
}
