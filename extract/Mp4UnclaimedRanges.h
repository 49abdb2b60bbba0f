#pragma once

#include "ByteSource.h"
#include "Mp4Movie.h"
#include "Mp4SampleTable.h"

#include <optional>

#include <vector>

// The bytes of a file that the video and sound tracks of its movie outline
// do not claim, in file order: where camera data kept beside the tracks can lie, so a search for it
// may pass over the bulk of the file. The whole file when there is no movie,
// or when its tables cannot be trusted to say where the media lie (a chunk
// past the end of the file or outside every 'mdat', chunks that overlap,
// sizes missing).
std::vector<Mp4ByteRange> ReadMp4UnclaimedRanges(ByteSource& source, const std::optional<Mp4Movie>& outline);
