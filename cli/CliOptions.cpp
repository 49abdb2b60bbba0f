#include "CliOptions.h"

#include "GPSReader.h"

#include <initializer_list>
#include <string_view>

namespace {

const char* const kUsageHead =
    R"(Usage: kolvar-extract [--format csv|gpx|geojson] [--utc-offset +HH:MM] [--output DIR] FILE...
       kolvar-extract --join [--format csv|gpx|geojson] [--utc-offset +HH:MM] FILE...
       kolvar-extract --summary FILE...
       kolvar-extract --probe FILE...
       kolvar-extract --formats
       kolvar-extract --records [--output DIR] FILE...
       kolvar-extract --raw [--output DIR] FILE...
       kolvar-extract --help

Reads the GPS fixes and G-sensor readings a dash camera stored with a video
and prints the drive the player builds from them.

Where the GPS data comes from:
  A side file beside the video, with the video's name and the extension GMAP
  (clip.MOV -> clip.GMAP), is used when it exists; the video is then not read.
  Otherwise each dialect below is tried in turn, recognised by the file's
  extension (any case) or content, and the first that gives a fix wins:
)";

const char* const kUsageModes = R"(
Modes:
  (default)  the track as CSV, one line per point:
             time_ms,lat,lon,speed_kmh,gs_x,gs_y,gs_z,dist_from_start_m,dist_to_end_m
             time_ms counts from the track's start (the first date that parses);
             lat and lon are signed degrees (north and east positive), speed
             is in km/h, G-sensor values in hundredths of g, distances in whole
             metres along the track.
  --format gpx      GPX 1.1 instead: one track segment; each point's time is
             the recorded clock in UTC ("Z"); speed (km/h) and G-sensor values
             (hundredths of g) as <kolvar:speed>, <kolvar:gsX>, <kolvar:gsY>,
             <kolvar:gsZ> in the namespace urn:kolvar:gpx:1.
  --format geojson  an RFC 7946 FeatureCollection: the drive as a LineString,
             the per-point times, speeds, G-sensor values and distances as
             arrays in the property "coordinateProperties".
             Both leave out points that are no place on Earth.
  --utc-offset +HH:MM  the camera's clock runs this far ahead of UTC (it
             records local time); GPX and GeoJSON times are moved back by it.
  --join     the FILEs as one drive, in the format chosen: the clips are put
             in the order of their start times (from their GPS data, else the
             date and time in the file name, the movie header, the file's
             modification time) and played back to back, so each clip's times
             run on from the end of the clip before; GPX and GeoJSON times are
             the first clip's start plus that running time. A fix after its
             clip's video ends is left out. With front and rear clips given,
             the front ones are joined. A clip without GPS data adds nothing
             and gives status 1; the others are still written.
  --summary  one CSV line per file:
             file,source,points,start,duration_s,distance_m,max_speed_kmh,avg_speed_kmh
             start is the recorded clock, "yyyy-MM-dd HH:mm:ss".
  --records  what the extraction returns after its repair pass: spikes and
             0/0 fixes removed, every hole filled by copying or
             interpolation, one second apart; the side file is not read. CSV:
             year,month,day,hour,minute,second,lat_ref,lat,lon_ref,lon,speed_knots,gs_x,gs_y,gs_z
             Latitude and longitude are unsigned degrees; lat_ref (N/S) and
             lon_ref (E/W) carry the hemisphere; speed is in knots.
  --raw      the same, records as the container reader left them, before repair
  --probe    one CSV line per file: what was found, before repair:
             file,dialect,fixes,first_fix,last_fix,duration_s,rate_hz,clock,note
  --formats  the dialects Kolvar reads, as a Markdown table
  --help     this text

Output:
  One FILE is written to standard output. Several FILEs need --output DIR
  (except with --summary, which prints one table, and --join, which prints
  one track): each is written to
  DIR/<file name>.<csv|gpx|geojson|records.csv|raw.csv>; DIR is created when
  missing.

Numbers: integers are decimal; reals are the shortest form that reads back to
the same double (GPX without exponents). A reference letter is written as
itself when it is printable ASCII other than comma, double quote and
backslash, as an empty field when it is NUL, and otherwise as \xNN (two
lower-case hex digits). Dates are read in the local time zone (TZ).

Exit status (with several files, the highest of theirs; the other files are
still processed):
  0  something was printed
  1  the file holds no GPS data ("no GPS data in FILE" on standard error)
  2  a usage error, or a file that cannot be opened or written
)";

constexpr int kMaxOffsetHours = 14;
constexpr int kMinutesPerHour = 60;

bool TwoDigits(std::string_view text, int& value) {
    if (text.size() != 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9')
        return false;
    value = (text[0] - '0') * 10 + (text[1] - '0');
    return true;
}

// "--name VALUE" or "--name=VALUE" for any of the names; advances i past a
// separate value and sets missing when there is none.
std::optional<std::string> OptionValue(std::string_view arg, std::initializer_list<std::string_view> names,
                                       int argc, const char* const* argv, int& i, bool& missing) {
    for (const std::string_view name : names) {
        if (arg == name) {
            if (i + 1 >= argc) {
                missing = true;
                return std::nullopt;
            }
            return std::string(argv[++i]);
        }
        if (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=')
            return std::string(arg.substr(name.size() + 1));
    }
    return std::nullopt;
}

std::optional<CliOptions::Format> ParseFormat(std::string_view text) {
    if (text == "csv") return CliOptions::Format::Csv;
    if (text == "gpx") return CliOptions::Format::Gpx;
    if (text == "geojson") return CliOptions::Format::GeoJson;
    return std::nullopt;
}

// Checks the combinations once every argument is read.
std::optional<std::string> CombinationError(const CliOptions& o, bool formatGiven, bool offsetGiven) {
    using Mode = CliOptions::Mode;
    using Format = CliOptions::Format;
    const bool track = o.mode == Mode::Track || o.mode == Mode::Join;
    if (formatGiven && !track) return "--format applies to the track only";
    if (offsetGiven && (!track || o.format == Format::Csv))
        return "--utc-offset needs --format gpx or --format geojson";
    const bool table = o.mode == Mode::Summary || o.mode == Mode::Probe;
    if (o.mode == Mode::Formats) return o.files.empty() ? std::nullopt : std::optional<std::string>("--formats takes no FILE");
    if (o.outputDir && table) return "--summary and --probe print one table and take no --output";
    if (o.outputDir && o.mode == Mode::Join) return "--join prints one track and takes no --output";
    if (o.files.empty()) return "a FILE is required";
    if (o.files.size() > 1 && !o.outputDir && !table && o.mode != Mode::Join)
        return "several files need --output DIR";
    return std::nullopt;
}

}  // namespace

std::string UsageText() {
    std::string text = kUsageHead;
    for (const GPSReader& reader : GPSReaderRegistry()) {
        std::string extensions;
        for (const std::string& extension : reader.extensions) extensions += (extensions.empty() ? "" : " ") + extension;
        const bool side = reader.kind == GPSReaderKind::SideFile;
        text += "  " + std::string(reader.id) + ": " + reader.description + " (" + (side ? "side file " : "") +
                extensions + ")\n";
    }
    return text + kUsageModes;
}

std::optional<int> ParseUtcOffset(const std::string& text) {
    int hours = 0, minutes = 0;
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':' ||
        !TwoDigits(std::string_view(text).substr(1, 2), hours) ||
        !TwoDigits(std::string_view(text).substr(4, 2), minutes) || hours > kMaxOffsetHours ||
        minutes >= kMinutesPerHour)
        return std::nullopt;
    const int total = hours * kMinutesPerHour + minutes;
    return text[0] == '-' ? -total : total;
}

std::variant<CliOptions, std::string> ParseCliOptions(int argc, const char* const* argv) {
    CliOptions options;
    bool modeGiven = false, formatGiven = false, offsetGiven = false;
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
        bool missing = false;
        if (const auto value = OptionValue(arg, {"--format"}, argc, argv, i, missing)) {
            const auto format = ParseFormat(*value);
            if (!format) return "unknown format '" + *value + "' (csv, gpx or geojson)";
            if (formatGiven && *format != options.format) return std::string("--format given twice");
            options.format = *format;
            formatGiven = true;
            continue;
        }
        if (missing) return std::string("--format needs a value");
        if (const auto value = OptionValue(arg, {"--utc-offset"}, argc, argv, i, missing)) {
            const auto offset = ParseUtcOffset(*value);
            if (!offset) return "bad --utc-offset '" + *value + "' (+HH:MM or -HH:MM)";
            if (offsetGiven && *offset != options.utcOffsetMinutes) return std::string("--utc-offset given twice");
            options.utcOffsetMinutes = *offset;
            offsetGiven = true;
            continue;
        }
        if (missing) return std::string("--utc-offset needs a value");
        if (const auto output = OptionValue(arg, {"--output", "-o"}, argc, argv, i, missing)) {
            if (output->empty()) return std::string("--output needs a directory");
            if (options.outputDir && *options.outputDir != *output) return std::string("--output given twice");
            options.outputDir = *output;
            continue;
        }
        if (missing) return std::string("--output needs a directory");

        CliOptions::Mode mode;
        if (arg == "--records") {
            mode = CliOptions::Mode::Records;
        } else if (arg == "--raw") {
            mode = CliOptions::Mode::Raw;
        } else if (arg == "--join") {
            mode = CliOptions::Mode::Join;
        } else if (arg == "--summary") {
            mode = CliOptions::Mode::Summary;
        } else if (arg == "--probe") {
            mode = CliOptions::Mode::Probe;
        } else if (arg == "--formats") {
            mode = CliOptions::Mode::Formats;
        } else {
            return "unknown option '" + std::string(arg) + "'";
        }
        if (modeGiven && mode != options.mode)
            return std::string("--join, --records, --raw, --summary, --probe and --formats exclude each other");
        options.mode = mode;
        modeGiven = true;
    }
    if (const auto error = CombinationError(options, formatGiven, offsetGiven)) return *error;
    return options;
}
