#include "MovTextGPSReader.h"

#include "GPSText.h"
#include "MovRecognition.h"
#include "InputMovie.h"
#include "TextTrackSamples.h"

bool MovTextGPSReader::recognise(const GPSProbe& probe) { return IsMovFamily(probe); }

void MovTextGPSReader::read(const GPSInput& input, GPSData& out) {
    const std::optional<Mp4Movie> movie = ReadInputMovie(input, IsTextTrack);
    if (!movie) return;
    if (movie->truncated) out.truncated = true;
    // Camera texts give no sample sizes in some files; their length prefix counts itself.
    ForEachTextSample(input.source, *movie, TextLengthPrefix::CountsItself,
                      [&out](const std::optional<std::string>& text, const Mp4Sample&) {
                          GPSRecord record{};
                          return !text || !ParseGPSText(*text, record) || out.add(record);
                      });
}
