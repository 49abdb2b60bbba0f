#include "CliTestSupport.h"

#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

bool ValidatesAgainstGpxSchema(const std::string& gpxPath, std::string& report) {
    const std::string command = "xmllint --noout --schema '" KOLVAR_GPX_SCHEMA "' '" + gpxPath + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    char buffer[512];
    report.clear();
    while (const size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) report.append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

ExtractRun RunExtract(const ScopedTempDir& dir, const std::string& args) {
    const std::string errPath = dir.path() + "/stderr.txt";
    const std::string command =
        "cd '" + dir.path() + "' && '" KOLVAR_EXTRACT_BINARY "' " + args + " 2>'" + errPath + "'";
    ExtractRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    while (const size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadWholeFile(errPath);
    std::filesystem::remove(errPath);
    return run;
}
