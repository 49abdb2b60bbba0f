#include "MovBuilder.h"
#include "MovSubtitle.h"
#include "TempFile.h"

#include <gtest/gtest.h>


namespace {

using namespace mov;
using namespace std::string_literals;
using Strings = std::vector<std::string>;

// A subtitle sample: a length that counts the text alone, then the text.
std::string SubtitleSample(const std::string& text) { return BE16(static_cast<uint16_t>(text.size())) + text; }

std::optional<Strings> Subtitles(const std::string& movie) {
    const TempFile file(movie, "mp4");
    return MovSubtitle().GetSubtitle(file.path());
}

// One entry per sample in table order keeps the list in step with the track's
// sample times: a text ends at its length or first NUL, and invalid UTF-8 or a
// sample cut by the end of the file gives an empty entry.
TEST(MovSubtitle, GivesOneEntryPerSampleInTableOrder) {
    const Strings invalid{"\xFF", "\xC3", "\xC0\xAF" /* overlong */, "\xED\xA0\x80" /* surrogate */,
                          "\xF4\x90\x80\x80" /* beyond U+10FFFF */, "ok\x80"};
    Strings samples{SubtitleSample("Hello"), SubtitleSample(""), "\x00\x05Hello, world"s, SubtitleSample("Hel\0lo"s),
                    SubtitleSample("\xE5\x8C\x97\xE4\xBA\xAC"), SubtitleSample("\xF0\x9F\x9A\x97") /* a car */};
    Strings expected{"Hello", "", "Hello", "Hel", "\xE5\x8C\x97\xE4\xBA\xAC", "\xF0\x9F\x9A\x97"};
    for (const std::string& text : invalid) samples.push_back(SubtitleSample(text)), expected.push_back("");
    samples.push_back(SubtitleSample("last"));
    expected.push_back("");
    std::string movie = Movie({Track{"text", samples}});
    movie.pop_back();
    EXPECT_EQ(Subtitles(movie), expected);
}

TEST(MovSubtitle, NoFileNoListNoTextTrackEmptyListMoovAnywhere) {
    EXPECT_FALSE(MovSubtitle().GetSubtitle("/nonexistent/kolvar/clip.mov"));
    EXPECT_EQ(Subtitles(Movie({Track{"vide", {SubtitleSample("Hello")}}})), Strings{});
    EXPECT_EQ(Subtitles(Movie({Track{"text", {SubtitleSample("Hello")}}}, Layout::MoovLast)), Strings{"Hello"});
}

TEST(MovSubtitle, TableRepeatingOneLargeSampleStaysWithinTheFileSize) {
    const std::string moovFor0 = Atom("moov", Trak("text", std::vector<uint32_t>(1000, 0)));
    const auto offset = static_cast<uint32_t>(Ftyp().size() + moovFor0.size());
    const std::string bytes = Ftyp() + Atom("moov", Trak("text", std::vector<uint32_t>(1000, offset))) +
                              SubtitleSample(std::string(60000, 'x'));
    const std::optional<Strings> subtitles = Subtitles(bytes);
    ASSERT_TRUE(subtitles);
    size_t total = 0;
    for (const std::string& text : *subtitles) total += text.size();
    EXPECT_GE(subtitles->size(), 1u);
    EXPECT_LE(total, bytes.size());
}

}  // namespace
