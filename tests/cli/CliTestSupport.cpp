#include "CliTestSupport.h"

#include <cstdio>
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
