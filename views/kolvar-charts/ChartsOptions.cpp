#include "ChartsOptions.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

const char* const kChartsUsageText =
    R"(Usage: kolvar-charts FILE --at SECONDS [--size WxH] --output DIR
       kolvar-charts --help

Draws the two instruments of the player for the video FILE at the playback
time SECONDS, as the player shows them at that moment:

  DIR/gsensor.png  the G-sensor chart: X (purple), Y (orange) and Z (dark red)
                   from the current sample on, 8 pixels a sample, 1 G a
                   quarter of the height, positive values downward
  DIR/detail.png   the distance chart: metres from the start, from the current
                   point on, scaled to the track's total distance

and prints on standard output, one per line, the texts shown beside them:
the current X, Y and Z in G, then the position, the distances from the start
and to the end, and the speed of the current point.

The track is the player's: the side file <name>.GMAP beside FILE when it
exists, else the GPS data embedded in FILE.

Options:
  --at SECONDS   playback time in seconds (a number from 0 up, fractions allowed)
  --size WxH     size of each chart in pixels, 1 to 8192 each (default 352x100)
  --output DIR   folder for the two PNG files; made when missing
  --help         this text

Exit status:
  0  the charts were written
  1  the file holds no GPS data ("no GPS data in FILE" on standard error)
  2  a usage error, a file that cannot be opened, or charts that cannot be written
)";

namespace {

constexpr int kMaxChartSide = 8192;

std::optional<double> parseSeconds(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(value) || value < 0) return std::nullopt;
    return value;
}

std::optional<int> parseSide(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < 1 || value > kMaxChartSide) return std::nullopt;
    return value;
}

bool parseSize(std::string_view text, ChartsOptions& options) {
    const size_t cross = text.find('x');
    if (cross == std::string_view::npos) return false;
    const auto width = parseSide(text.substr(0, cross));
    const auto height = parseSide(text.substr(cross + 1));
    if (!width || !height) return false;
    options.width = *width;
    options.height = *height;
    return true;
}

}  // namespace

std::variant<ChartsOptions, std::string> ParseChartsOptions(int argc, const char* const* argv) {
    ChartsOptions options;
    bool atGiven = false;
    bool optionsEnded = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            files.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        }
        // "--at 12.5" and "--at=12.5" alike.
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (const size_t equals = arg.find('='); equals != std::string_view::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        if (name != "--at" && name != "--size" && name != "--output") {
            return "unknown option '" + std::string(arg) + "'";
        }
        if (!value) {
            if (i + 1 >= argc) return std::string(name) + " needs a value";
            value = argv[++i];
        }
        if (name == "--at") {
            const auto seconds = parseSeconds(*value);
            if (!seconds) return "--at needs a number of seconds from 0 up, not '" + std::string(*value) + "'";
            options.atSeconds = *seconds;
            atGiven = true;
        } else if (name == "--size") {
            if (!parseSize(*value, options)) {
                return "--size needs WxH with each side from 1 to " + std::to_string(kMaxChartSide) +
                       ", not '" + std::string(*value) + "'";
            }
        } else {
            if (value->empty()) return std::string("--output needs a folder");
            options.outputDir = *value;
        }
    }
    if (files.size() != 1) return std::string("exactly one FILE is required");
    if (!atGiven) return std::string("--at SECONDS is required");
    if (options.outputDir.empty()) return std::string("--output DIR is required");
    options.file = files.front();
    return options;
}
