#pragma once

#include "ByteSource.h"
#include "GPSData.h"

#include <string>
#include <vector>

class Mp4OutlineCache;

// What a recogniser may look at: the start of the file, its size and name.
// Recognisers must stay cheap (a few small reads at most): every one of them
// may run on every file.
struct GPSProbe {
    ByteSource& source;
    std::string path;       // empty for a memory source
    std::string extension;  // upper case, see GetUpperExtension
    std::vector<unsigned char> head;  // the first kHeadSize bytes, fewer in a short file

    static constexpr size_t kHeadSize = 4096;
    static GPSProbe Of(ByteSource& source, const std::string& path);
};

// The bytes one reader reads, and where they came from: a side-file reader
// may look for the files that go with it (an accelerometer file beside a GPS
// log) through the path.
struct GPSInput {
    ByteSource& source;
    std::string path;  // empty for a memory source
    // The movie outline the readers of this file share; null when a reader
    // runs alone (see InputMovie.h).
    Mp4OutlineCache* movie = nullptr;
};

enum class GPSReaderKind {
    Embedded,  // data inside the video file
    SideFile,  // a file beside the video with the same base name
};

// What a user reads to see whether their camera works: one row of
// docs/formats.md, and the --formats table.
struct GPSDialectFacts {
    const char* cameras = "";  // camera makers and models known to write it
    const char* rate = "";     // fixes per second
    const char* clock = "";    // "local" or "UTC"
    const char* units = "";    // of position and speed as stored
    const char* gsensor = "";  // whether and how G-sensor readings come with it
};

// One dialect: how a camera family stores its GPS data.
struct GPSReader {
    const char* id;           // short name for --probe and the log, e.g. "mov-text"
    const char* description;  // one line: where the data lives
    GPSReaderKind kind;
    // Embedded: the video extensions (upper case) the file dialog offers for it.
    // SideFile: the side file's extensions, tried as given and upper-cased.
    std::vector<std::string> extensions;
    bool (*recognise)(const GPSProbe& probe);
    void (*read)(const GPSInput& input, GPSData& out);
    GPSDialectFacts facts = {};
};

// Every dialect, in the order the front end tries them.
const std::vector<GPSReader>& GPSReaderRegistry();

// The video extensions any embedded reader knows, upper case, each once, in
// registry order.
std::vector<std::string> VideoExtensions();
