#include "InputMovie.h"

const std::optional<Mp4Movie>& Mp4OutlineCache::outline(ByteSource& source) {
    if (!read) movie = ReadMp4Outline(source);
    read = true;
    return movie;
}

std::optional<Mp4Movie> ReadInputOutline(const GPSInput& input) {
    return input.movie ? input.movie->outline(input.source) : ReadMp4Outline(input.source);
}

std::optional<Mp4Movie> ReadInputMovie(const GPSInput& input, const Mp4TrackFilter& wanted) {
    std::optional<Mp4Movie> outline = ReadInputOutline(input);
    if (!outline) return std::nullopt;
    return ListMp4Samples(input.source, std::move(*outline), wanted);
}
