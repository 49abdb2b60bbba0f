#pragma once

#include "BinaryFile.h"
#include "ByteSource.h"
#include "Mp4Movie.h"

#include <functional>

// Reads, one after the other, the samples of the first track whose sample
// format is format, and hands each to use(sample, bytes) while it returns
// true. Only those samples are read; one that does not lie inside the file is
// skipped.
void ForEachMetadataSample(ByteSource& source, const Mp4Movie& movie, FourCC format,
                           const std::function<bool(const Mp4Sample&, const unsigned char*)>& use);
