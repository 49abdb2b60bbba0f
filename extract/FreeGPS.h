#pragma once

#include "GPSData.h"

#include <cstddef>
#include <string_view>

// Novatek-family cameras keep each second's fix in a "freeGPS " box: a 'free'
// atom whose payload starts with the tag "GPS ". Camera makers laid its
// fields out in many ways; these decode every layout we know.

inline constexpr std::string_view kFreeGPSSignature = "freeGPS ";
// Offset of the signature in a box: after the atom's size field.
inline constexpr size_t kFreeGPSSignatureOffset = 4;
// Enough of a box for every layout (the furthest field ends before 0x120):
// the rest of a camera's 32 KiB box is padding, and reading it would cost a
// file indexed by its 'gps ' atom more than the rest of the extraction.
inline constexpr size_t kFreeGPSDecodeWindow = 1024;

// Decodes one box, given from its size field on (size bytes, at most the
// decode window). Appends its records to out: one for most layouts, several
// for the layouts that pack a few fixes per box, a record without a fix for a
// box written before the first fix. False when no layout matches.
bool DecodeFreeGPS(const unsigned char* box, size_t size, GPSData& out);

// The same record body as Novatek transport streams carry it, without the
// 16-byte box header.
bool DecodeFreeGPSBody(const unsigned char* body, size_t size, GPSData& out);
