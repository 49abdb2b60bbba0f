// The golden samples, one folder per dialect: each is read by the dialect its folder names, and,
// cut anywhere or with a byte spoilt, gives no more fixes than it holds (under the sanitizers,
// never a byte read outside the buffer). What each sample decodes to is the golden test's part.
#include "ByteSource.h"
#include "ExtractGPSRecords.h"
#include "GPSReader.h"
#include "ScopedTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

struct Sample {
    fs::path path;
    std::string dialect;
};

// The samples of the folders that name a dialect (the player's side file is no dialect).
std::vector<Sample> Samples() {
    const std::vector<std::string> videos = VideoExtensions();
    std::vector<Sample> samples;
    for (const auto& folder : fs::directory_iterator(KOLVAR_GOLDEN_SAMPLES)) {
        if (std::none_of(GPSReaderRegistry().begin(), GPSReaderRegistry().end(),
                         [&](const GPSReader& r) { return r.id == folder.path().filename().string(); }))
            continue;
        for (const auto& file : fs::directory_iterator(folder.path())) {
            if (std::count(videos.begin(), videos.end(), GetUpperExtension(file.path().string())))
                samples.push_back({file.path(), folder.path().filename().string()});
        }
    }
    std::sort(samples.begin(), samples.end(), [](const Sample& a, const Sample& b) { return a.path < b.path; });
    return samples;
}

size_t Fixes(const std::string& bytes, const std::string& name) {
    MemoryByteSource source(bytes);
    const GPSExtraction extraction = ReadGPSData(source, name);
    return std::count_if(extraction.data.records.begin(), extraction.data.records.end(), IsValidRecord);
}

TEST(SampleFiles, EachIsReadByItsOwnDialect) {
    const std::vector<Sample> samples = Samples();
    ASSERT_GE(samples.size(), GPSReaderRegistry().size());
    for (const GPSReader& reader : GPSReaderRegistry()) {
        EXPECT_TRUE(std::any_of(samples.begin(), samples.end(), [&](const Sample& s) { return s.dialect == reader.id; }))
            << "no sample of " << reader.id;
    }
    for (const Sample& sample : samples) {
        SCOPED_TRACE(sample.path.string());
        const GPSExtraction extraction = ReadGPSData(sample.path.string());
        EXPECT_EQ(extraction.status, ExtractStatus::Found);
        ASSERT_NE(extraction.reader, nullptr);
        EXPECT_EQ(extraction.reader->id, sample.dialect);
    }
}

// Every byte of the small samples; about 400 evenly spread places of the larger ones.
TEST(SampleFiles, CutOrSpoiltGiveNoMoreFixesThanTheWhole) {
    for (const Sample& sample : Samples()) {
        const std::string bytes = ReadWholeFile(sample.path.string());
        const std::string name = sample.path.filename().string();
        const size_t whole = Fixes(bytes, name);
        if (whole == 0) continue;  // a side file's video: nothing of its own to cut
        SCOPED_TRACE(sample.path.string());
        const size_t step = std::max<size_t>(1, bytes.size() / 400);
        for (size_t at = 0; at < bytes.size(); at += step) {
            EXPECT_LE(Fixes(bytes.substr(0, at), name), whole) << "cut at " << at;
            std::string spoilt = bytes;
            spoilt[at] = '\xFF';
            EXPECT_LE(Fixes(spoilt, name), whole) << "0xFF at " << at;
        }
    }
}

}  // namespace
