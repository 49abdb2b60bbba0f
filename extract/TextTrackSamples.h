#pragma once

#include "ByteSource.h"
#include "Mp4Movie.h"

#include <functional>
#include <optional>
#include <string>

// A track of timed texts: QuickTime's 'text', and the 'sbtl' and 'subt'
// handlers MP4 and 3GP muxers give subtitle tracks. A track whose media
// information precedes its handler counts too, as it did for the first
// cameras' readers.
bool IsTextTrack(const Mp4Track& track);

// How a sample's 16-bit length prefix is read when the track gives no sample
// sizes. With sizes, the size decides: a length that leaves room for its two
// bytes counts the text alone (3GPP timed text, as FFmpeg writes it), any
// other counts itself (as dash cameras write it).
enum class TextLengthPrefix {
    CountsItself,
    TextOnly,
};

// Called with each sample's text, none for a sample that cannot be read
// whole; returns false to stop.
using TextSampleVisitor = std::function<bool(const std::optional<std::string>& text, const Mp4Sample& sample)>;

// Visits every sample of every text track of a movie read with IsTextTrack as
// its filter: tracks in file order, samples in decoding order. Only those
// samples' bytes are read. Stops, too, once the texts read would together
// exceed the file: a table that points at the same bytes again and again
// cannot make it read more than that.
void ForEachTextSample(ByteSource& source, const Mp4Movie& movie, TextLengthPrefix withoutSizes,
                       const TextSampleVisitor& visit);
