#include "MovBuilder.h"
#include "MovSubtitle.h"
#include "TempFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace mov;
using namespace std::string_literals;
using Strings = std::vector<std::string>;

// A subtitle sample: a length that counts the text alone, then the text.
std::string SubtitleSample(const std::string& text) {
    return BE16(static_cast<uint16_t>(text.size())) + text;
}

std::optional<Strings> Subtitles(const std::vector<std::string>& samples) {
    const TempFile file(Movie({Track{"text", samples}}), "mp4");
    return MovSubtitle().GetSubtitle(file.path());
}

TEST(MovSubtitle, ReturnsEverySampleInTableOrder) {
    const std::optional<Strings> subtitles = Subtitles(
        {SubtitleSample("Hello"), SubtitleSample("A,150615,123045,2234.5678,N"), SubtitleSample("")});
    ASSERT_TRUE(subtitles);
    EXPECT_EQ(*subtitles, (Strings{"Hello", "A,150615,123045,2234.5678,N", ""}));
}

TEST(MovSubtitle, ReadsTheWholeLengthUpToTheFirstNul) {
    const std::optional<Strings> subtitles =
        Subtitles({"\x00\x05Hello, world"s, SubtitleSample("Hel\0lo"s), SubtitleSample("\xE5\x8C\x97\xE4\xBA\xAC")});
    ASSERT_TRUE(subtitles);
    EXPECT_EQ(*subtitles, (Strings{"Hello", "Hel", "\xE5\x8C\x97\xE4\xBA\xAC"}));
}

// An entry per sample keeps the list in step with the track's sample times.
TEST(MovSubtitle, InvalidUTF8GivesAnEmptyEntry) {
    const Strings invalid{"\xFF", "\xC3", "\xC0\xAF" /* overlong */, "\xED\xA0\x80" /* surrogate */,
                          "\xF4\x90\x80\x80" /* beyond U+10FFFF */, "ok\x80"};
    std::vector<std::string> samples;
    for (const std::string& text : invalid) samples.push_back(SubtitleSample(text));
    samples.push_back(SubtitleSample("\xF0\x9F\x9A\x97"));  // a car, four bytes
    const std::optional<Strings> subtitles = Subtitles(samples);
    ASSERT_TRUE(subtitles);
    Strings expected(invalid.size(), "");
    expected.push_back("\xF0\x9F\x9A\x97");
    EXPECT_EQ(*subtitles, expected);
}

TEST(MovSubtitle, SampleCutByTheEndOfTheFileGivesAnEmptyEntry) {
    std::string movie = Movie({Track{"text", {SubtitleSample("first"), SubtitleSample("second")}}});
    movie.pop_back();
    const TempFile file(movie, "mov");
    const std::optional<Strings> subtitles = MovSubtitle().GetSubtitle(file.path());
    ASSERT_TRUE(subtitles);
    EXPECT_EQ(*subtitles, (Strings{"first", ""}));
}

TEST(MovSubtitle, NoFileNoListNoTextTrackEmptyList) {
    EXPECT_FALSE(MovSubtitle().GetSubtitle("/nonexistent/kolvar/clip.mov"));

    const TempFile videoOnly(Movie({Track{"vide", {SubtitleSample("Hello")}}}), "mov");
    const std::optional<Strings> none = MovSubtitle().GetSubtitle(videoOnly.path());
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty());

    const TempFile moovLast(Movie({Track{"text", {SubtitleSample("Hello")}}}, Layout::MoovLast), "mov");
    const std::optional<Strings> notFound = MovSubtitle().GetSubtitle(moovLast.path());
    ASSERT_TRUE(notFound);
    EXPECT_TRUE(notFound->empty());
}

TEST(MovSubtitle, TableRepeatingOneLargeSampleStaysWithinTheFileSize) {
    const std::string sample = SubtitleSample(std::string(60000, 'x'));
    const std::string moovFor0 = Atom("moov", Trak("text", std::vector<uint32_t>(1000, 0)));
    const auto offset = static_cast<uint32_t>(Ftyp().size() + moovFor0.size());
    const std::string bytes = Ftyp() + Atom("moov", Trak("text", std::vector<uint32_t>(1000, offset))) + sample;
    const TempFile file(bytes, "mov");
    const std::optional<Strings> subtitles = MovSubtitle().GetSubtitle(file.path());
    ASSERT_TRUE(subtitles);
    size_t total = 0;
    for (const std::string& text : *subtitles) total += text.size();
    EXPECT_GE(subtitles->size(), 1u);
    EXPECT_LE(total, bytes.size());
}

}  // namespace
