#include "NmeaTextTrackReader.h"

#include "MovRecognition.h"
#include "InputMovie.h"
#include "NmeaParser.h"
#include "TextSampleNmea.h"
#include "TextTrackSamples.h"

bool RecogniseNmeaTextTrack(const GPSProbe& probe) { return IsMovFamily(probe); }

void ReadNmeaTextTrack(const GPSInput& input, GPSData& out) {
    const std::optional<Mp4Movie> movie = ReadInputMovie(input, IsTextTrack);
    if (!movie) return;
    if (movie->truncated) out.truncated = true;
    NmeaParser parser(out);
    // A sample's end ends its last sentence.
    ForEachTextSample(input.source, *movie, TextLengthPrefix::CountsItself,
                      [&parser](const std::optional<std::string>& text, const Mp4Sample&) {
                          return !text || parser.readText(TextSampleAsNmea(*text));
                      });
    parser.finish();
}
