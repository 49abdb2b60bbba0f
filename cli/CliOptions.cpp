#include "CliOptions.h"

#include <string_view>

const char* const kUsageText =
    R"(Usage: kolvar-extract --records FILE
       kolvar-extract --raw FILE
       kolvar-extract --help

Reads the GPS fixes and G-sensor readings a dash camera stored inside a video
file and prints them as CSV on standard output.

Containers, chosen by the file's extension (any case):
  MOV, MP4, 3GP  the GPS texts of the text track; when it holds none, the
                 binary GPS blocks in "free" atoms on 32 KiB boundaries
  AVI            the GPS texts of the "02gp" chunks of the movi list
  TS             the GPS texts of the packets of PID 0x1600

Modes:
  --records  the records after the repair pass: spikes and 0/0 fixes removed,
             every hole filled by copying or interpolation, one second apart
  --raw      the records as the container reader left them, before repair
  --help     this text

CSV columns:
  year,month,day,hour,minute,second,lat_ref,lat,lon_ref,lon,speed_knots,gs_x,gs_y,gs_z
  Latitude and longitude are unsigned degrees; lat_ref (N/S) and lon_ref (E/W)
  carry the hemisphere. Speed is in knots, G-sensor values in hundredths of g.
  Integers are decimal; reals are the shortest form that reads back to the
  same double. A reference letter is written as itself when it is printable
  ASCII other than comma, double quote and backslash, as an empty field when
  it is NUL, and otherwise as \xNN (two lower-case hex digits).

Exit status:
  0  something was printed
  1  the file holds no GPS data ("no GPS data in FILE" on standard error)
  2  a usage error, or a file that cannot be opened
)";

std::variant<CliOptions, std::string> ParseCliOptions(int argc, const char* const* argv) {
    CliOptions options;
    bool modeGiven = false;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            options.files.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.mode = CliOptions::Mode::Help;
            return options;
        }
        CliOptions::Mode mode;
        if (arg == "--records") {
            mode = CliOptions::Mode::Records;
        } else if (arg == "--raw") {
            mode = CliOptions::Mode::Raw;
        } else {
            return "unknown option '" + std::string(arg) + "'";
        }
        if (modeGiven && mode != options.mode) return "--records and --raw exclude each other";
        options.mode = mode;
        modeGiven = true;
    }
    if (options.mode == CliOptions::Mode::Track) return std::string("a mode is required: --records or --raw");
    if (options.files.size() != 1) return std::string("exactly one FILE is required");
    return options;
}
