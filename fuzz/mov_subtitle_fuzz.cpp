// MovSubtitle on arbitrary files: a list always comes back, and together its
// texts are no larger than the file.
#include "FuzzFile.h"
#include "MovSubtitle.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = WriteFuzzFile(data, size, "mov");
    const std::optional<std::vector<std::string>> subtitles = MovSubtitle().GetSubtitle(path);
    if (!subtitles) std::abort();
    size_t total = 0;
    for (const std::string& text : *subtitles) total += text.size();
    if (total > size) std::abort();
    return 0;
}
