#include "MovGPSBlockScanner.h"

#include "BinaryFile.h"
#include "DegreesMinutes.h"
#include "InputMovie.h"
#include "MovRecognition.h"
#include "Mp4UnclaimedRanges.h"

#include <cstring>

namespace {

constexpr int64_t kBlockAlignment = 32768;
constexpr FourCC kFreeType = MakeFourCC("free");
constexpr FourCC kGPSTag = MakeFourCC("GPS ");
constexpr uint32_t kRecordLength = 92;
constexpr int32_t kYearBase = 2000;

// Block header; the atom size at 0 is never read.
constexpr int64_t kTypeOffset = 4;
constexpr int64_t kRecordOffset = 16;
constexpr size_t kSignatureLength = 12;  // type, tag and record length
constexpr size_t kTagOffset = 4;         // within the signature
constexpr size_t kLengthOffset = 8;      // within the signature

bool IsGPSBlock(BinaryFile& file, int64_t offset) {
    unsigned char signature[kSignatureLength];
    if (!file.readAt(offset + kTypeOffset, signature, sizeof signature)) return false;
    return LoadBE32(signature) == kFreeType && LoadBE32(signature + kTagOffset) == kGPSTag &&
           LoadLE32(signature + kLengthOffset) == kRecordLength;
}

GPSRecord DecodeGPSBlock(const unsigned char* record) {
    GPSRecord decoded{};
    decoded.hour = LoadLEInt(record + 32);    // 32: hour
    decoded.minute = LoadLEInt(record + 36);  // 36: minute
    decoded.second = LoadLEInt(record + 40);  // 40: second
    // 44: year - 2000; added unsigned so a hostile value wraps instead of overflowing
    decoded.year = static_cast<int32_t>(LoadLE32(record + 44) + uint32_t{kYearBase});
    decoded.month = LoadLEInt(record + 48);  // 48: month
    decoded.day = LoadLEInt(record + 52);    // 52: day
    decoded.latRef = static_cast<char>(record[57]);  // 57: 'N' or 'S'
    decoded.lonRef = static_cast<char>(record[58]);  // 58: 'E' or 'W'
    decoded.lat = DegreesFromDegreesMinutes(LoadLEFloat(record + 60));  // 60: latitude, float32 ddmm.mmmm
    decoded.lon = DegreesFromDegreesMinutes(LoadLEFloat(record + 64));  // 64: longitude, float32 dddmm.mmmm
    decoded.speed = LoadLEFloat(record + 68);  // 68: speed, float32 knots
    decoded.gsX = LoadLEFloat(record + 80);    // 80: G-sensor X, float32
    decoded.gsY = LoadLEFloat(record + 84);    // 84: G-sensor Y, float32
    decoded.gsZ = LoadLEFloat(record + 88);    // 88: G-sensor Z, float32
    return decoded;
}

}  // namespace

bool MovGPSBlockScanner::recognise(const GPSProbe& probe) { return IsMovFamily(probe); }

// Only boundaries that the video and sound tracks do not claim can start a
// block: probing the rest would cost a read per 32 KiB of media.
void MovGPSBlockScanner::read(const GPSInput& input, GPSData& out) {
    BinaryFile file(input.source);
    for (const Mp4ByteRange& range : ReadMp4UnclaimedRanges(input.source, ReadInputOutline(input))) {
        const int64_t first = (range.begin + kBlockAlignment - 1) / kBlockAlignment * kBlockAlignment;
        for (int64_t offset = first; offset < range.end; offset += kBlockAlignment) {
            if (!IsGPSBlock(file, offset)) continue;
            unsigned char record[kRecordLength];
            // A record cut by the end of the file belongs to the last block there can be.
            if (!file.readAt(offset + kRecordOffset, record, sizeof record)) return;
            if (!out.add(DecodeGPSBlock(record))) return;
        }
    }
}
