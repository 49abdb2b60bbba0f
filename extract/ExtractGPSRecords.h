#pragma once

#include "ByteSource.h"
#include "GPSData.h"
#include "GPSReader.h"

#include <string>
#include <vector>

// The characters after the last '.' of the whole path, upper-cased; the whole
// path upper-cased when it has no '.'.
std::string GetUpperExtension(const std::string& path);

// Why a file gave what it gave.
enum class ExtractStatus {
    Found,          // records with a fix
    Unreadable,     // the file cannot be opened
    NoKnownLayout,  // no dialect found its data in the file
    NoFix,          // a dialect found records, but none with a fix
};

struct GPSExtraction {
    ExtractStatus status = ExtractStatus::NoKnownLayout;
    // The dialect the records come from: the one that gave a fix, else the
    // first that gave records; null when none did.
    const GPSReader* reader = nullptr;
    std::string sourcePath;                  // the file the records were read from
    std::vector<const GPSReader*> tried;     // every dialect that recognised the file, in the order tried
    GPSData data;
};

// Tries the dialects in registry order and keeps the first whose records hold
// a fix; when none does, the first that gave records. Side-file dialects look
// for <base name>.<extension> beside path. No repair pass.
GPSExtraction ReadGPSData(const std::string& path);
// The same over bytes in memory: embedded dialects only, recognised by the
// extension of nameForExtension and by content.
GPSExtraction ReadGPSData(ByteSource& source, const std::string& nameForExtension);

// ReadGPSData followed by the repair pass: every record left has a fix.
GPSExtraction ExtractGPSData(const std::string& path);

// A one-line reason for the log and the user: what was looked for and found.
std::string DescribeExtraction(const GPSExtraction& extraction);
