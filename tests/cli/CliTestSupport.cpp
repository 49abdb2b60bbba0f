#include "CliTestSupport.h"

#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

namespace {

// Runs command through the shell: its exit status (-1 if it did not exit) and what it printed.
int Run(const std::string& command, std::string& out) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    char buffer[4096];
    out.clear();
    while (const size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

bool ValidatesAgainstGpxSchema(const std::string& gpxPath, std::string& report) {
    return Run("xmllint --noout --schema '" KOLVAR_GPX_SCHEMA "' '" + gpxPath + "' 2>&1", report) == 0;
}

ExtractRun RunExtract(const ScopedTempDir& dir, const std::string& args) {
    const std::string errPath = dir.path() + "/stderr.txt";
    ExtractRun run;
    run.status = Run("cd '" + dir.path() + "' && '" KOLVAR_EXTRACT_BINARY "' " + args + " 2>'" + errPath + "'", run.out);
    run.err = ReadWholeFile(errPath);
    std::filesystem::remove(errPath);
    return run;
}
