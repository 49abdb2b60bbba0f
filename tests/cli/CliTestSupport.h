#pragma once

#include <string>

// A fresh directory under $TMPDIR (else /tmp), removed with its contents at scope end.
class ScopedTempDir {
public:
    ScopedTempDir();
    ~ScopedTempDir();
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;

    const std::string& path() const { return dirPath; }
    // Writes bytes to path()/name and returns the full path.
    std::string write(const std::string& name, const std::string& bytes) const;

private:
    std::string dirPath;
};

std::string ReadWholeFile(const std::string& path);

// Whether xmllint accepts the file against the GPX 1.1 schema; its messages go to report.
bool ValidatesAgainstGpxSchema(const std::string& gpxPath, std::string& report);
