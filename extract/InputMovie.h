#pragma once

#include "GPSReader.h"
#include "Mp4Movie.h"

#include <optional>

// The outline of the movie in one file, read at the first reader that asks
// and kept for the others: a dozen readers may look into the same movie.
class Mp4OutlineCache {
public:
    const std::optional<Mp4Movie>& outline(ByteSource& source);

private:
    bool read = false;
    std::optional<Mp4Movie> movie;
};

// The movie of the input with the samples of the wanted tracks listed, from
// the shared outline when the input has one.
std::optional<Mp4Movie> ReadInputMovie(const GPSInput& input, const Mp4TrackFilter& wanted = {});
// The outline alone, no sample listed.
std::optional<Mp4Movie> ReadInputOutline(const GPSInput& input);
