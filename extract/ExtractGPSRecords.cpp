#include "ExtractGPSRecords.h"

#include "InputMovie.h"
#include "RepairGPSRecords.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

bool HasFix(const GPSData& data) { return std::any_of(data.records.begin(), data.records.end(), IsValidRecord); }

// Runs one recognised reader and keeps what it gave when it beats what the
// extraction holds; true once a fix is found and the search can end.
bool TryReader(const GPSReader& reader, const GPSInput& input, GPSExtraction& extraction) {
    extraction.tried.push_back(&reader);
    GPSData data;
    reader.read(input, data);
    const bool fix = HasFix(data);
    if (fix || (extraction.reader == nullptr && !data.records.empty())) {
        extraction.reader = &reader;
        extraction.sourcePath = input.path;
        extraction.data = std::move(data);
    }
    return fix;
}

bool TryEmbedded(const GPSReader& reader, const GPSProbe& probe, Mp4OutlineCache& movie,
                 GPSExtraction& extraction) {
    return reader.recognise(probe) && TryReader(reader, GPSInput{probe.source, probe.path, &movie}, extraction);
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// <base name>.<extension> beside the video, as written or upper-cased.
bool TrySideFiles(const GPSReader& reader, const std::string& videoPath, GPSExtraction& extraction) {
    for (const std::string& extension : reader.extensions) {
        for (const std::string& spelling : {extension, Upper(extension)}) {
            std::filesystem::path sidePath(videoPath);
            sidePath.replace_extension(spelling);
            if (sidePath == std::filesystem::path(videoPath)) continue;
            FileByteSource side(sidePath.string());
            if (!side.isOpen()) continue;
            const GPSProbe probe = GPSProbe::Of(side, sidePath.string());
            if (reader.recognise(probe)) return TryReader(reader, GPSInput{side, sidePath.string()}, extraction);
        }
    }
    return false;
}

std::string TriedList(const GPSExtraction& extraction) {
    if (extraction.tried.empty()) return "none for this kind of file";
    std::string list;
    for (const GPSReader* reader : extraction.tried) list += (list.empty() ? "" : ", ") + std::string(reader->id);
    return list;
}

void Conclude(GPSExtraction& extraction) {
    if (HasFix(extraction.data)) {
        extraction.status = ExtractStatus::Found;
    } else {
        extraction.status = extraction.reader == nullptr ? ExtractStatus::NoKnownLayout : ExtractStatus::NoFix;
    }
}

}  // namespace

std::string GetUpperExtension(const std::string& path) {
    const size_t dot = path.rfind('.');
    return Upper(dot == std::string::npos ? path : path.substr(dot + 1));
}

GPSExtraction ReadGPSData(const std::string& path) {
    GPSExtraction extraction;
    FileByteSource source(path);
    if (!source.isOpen()) {
        extraction.status = ExtractStatus::Unreadable;
        return extraction;
    }
    const GPSProbe probe = GPSProbe::Of(source, path);
    Mp4OutlineCache movie;
    for (const GPSReader& reader : GPSReaderRegistry()) {
        const bool found = reader.kind == GPSReaderKind::Embedded ? TryEmbedded(reader, probe, movie, extraction)
                                                                  : TrySideFiles(reader, path, extraction);
        if (found) break;
    }
    Conclude(extraction);
    return extraction;
}

GPSExtraction ReadGPSData(ByteSource& source, const std::string& nameForExtension) {
    GPSExtraction extraction;
    GPSProbe probe = GPSProbe::Of(source, nameForExtension);
    Mp4OutlineCache movie;
    for (const GPSReader& reader : GPSReaderRegistry()) {
        if (reader.kind == GPSReaderKind::Embedded && TryEmbedded(reader, probe, movie, extraction)) break;
    }
    Conclude(extraction);
    return extraction;
}

GPSExtraction ExtractGPSData(const std::string& path) {
    GPSExtraction extraction = ReadGPSData(path);
    RepairGPSRecords(extraction.data.records, extraction.data.clock);
    if (extraction.status == ExtractStatus::Found && extraction.data.records.empty())
        extraction.status = ExtractStatus::NoFix;
    return extraction;
}

std::string DescribeExtraction(const GPSExtraction& extraction) {
    switch (extraction.status) {
    case ExtractStatus::Found:
        return std::string("GPS data found (") + extraction.reader->id + ")";
    case ExtractStatus::Unreadable:
        return "the file cannot be read";
    case ExtractStatus::NoKnownLayout:
        return "no known GPS layout in the file (looked for: " + TriedList(extraction) + ")";
    case ExtractStatus::NoFix:
        return std::string("GPS records without a fix (") + extraction.reader->id + ")";
    }
    return {};
}
