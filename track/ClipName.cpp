#include "ClipName.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <vector>

namespace {

struct DigitRun {
    size_t begin;
    size_t length;
};

// The groups of digits a dash cam writes a date and time in, as the lengths
// of consecutive digit runs.
enum class Field { Year4, Year2, Month, Day, Hour, Minute, Second };
struct NamePattern {
    std::vector<size_t> runs;
    std::vector<Field> fields;  // two digits each but Year4
};

const std::array<NamePattern, 6>& NamePatterns() {
    using enum Field;
    static const std::array<NamePattern, 6> patterns = {{
        {{14}, {Year4, Month, Day, Hour, Minute, Second}},            // Viofo 20210101120000_000001A
        {{8, 6}, {Year4, Month, Day, Hour, Minute, Second}},          // BlackVue, 70mai NO20210101-120000
        {{4, 4, 6}, {Year4, Month, Day, Hour, Minute, Second}},       // Viofo 2021_0101_120000_001
        {{4, 2, 2, 2, 2, 2}, {Year4, Month, Day, Hour, Minute, Second}},  // Thinkware REC_2021_01_01_12_00_00
        {{6, 6}, {Year2, Month, Day, Hour, Minute, Second}},          // FILE210101-120000, Nextbase
        {{12}, {Year2, Month, Day, Hour, Minute, Second}},
    }};
    return patterns;
}

bool IsGroupSeparator(char c) { return c == '_' || c == '-' || c == '.' || c == ' '; }

std::string Stem(const std::string& path) { return std::filesystem::path(path).stem().string(); }

std::vector<DigitRun> DigitRuns(const std::string& text) {
    std::vector<DigitRun> runs;
    for (size_t i = 0; i < text.size();) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        const size_t begin = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        runs.push_back({begin, i - begin});
    }
    return runs;
}

// Runs first.. have the pattern's lengths, one separator apart.
bool RunsMatch(const std::string& stem, const std::vector<DigitRun>& runs, size_t first, const NamePattern& pattern) {
    if (first + pattern.runs.size() > runs.size()) return false;
    for (size_t k = 0; k < pattern.runs.size(); ++k) {
        const DigitRun& run = runs[first + k];
        if (run.length != pattern.runs[k]) return false;
        if (k > 0) {
            const DigitRun& before = runs[first + k - 1];
            if (run.begin != before.begin + before.length + 1 || !IsGroupSeparator(stem[run.begin - 1])) return false;
        }
    }
    return true;
}

std::optional<CalendarTime> ReadFields(const std::string& stem, const std::vector<DigitRun>& runs, size_t first,
                                       const NamePattern& pattern) {
    std::string digits;
    for (size_t k = 0; k < pattern.runs.size(); ++k) digits += stem.substr(runs[first + k].begin, pattern.runs[k]);
    CalendarTime calendar;
    size_t at = 0;
    const auto take = [&](size_t count) {
        const int value = std::stoi(digits.substr(at, count));
        at += count;
        return value;
    };
    for (const Field field : pattern.fields) {
        switch (field) {
            case Field::Year4: calendar.year = take(4); break;
            case Field::Year2: calendar.year = 2000 + take(2); break;
            case Field::Month: calendar.month = take(2); break;
            case Field::Day: calendar.day = take(2); break;
            case Field::Hour: calendar.hour = take(2); break;
            case Field::Minute: calendar.minute = take(2); break;
            case Field::Second: calendar.second = take(2); break;
        }
    }
    // Cameras count from 2000 at the earliest; anything older is a file number.
    if (calendar.year < 2000 || !CalendarToSeconds(calendar, GPSClock::UTC)) return std::nullopt;
    return calendar;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::optional<CameraChannel> ChannelLetter(char letter) {
    switch (std::toupper(static_cast<unsigned char>(letter))) {
        case 'F':
        case 'A': return CameraChannel::Front;
        case 'R':
        case 'B': return CameraChannel::Rear;
        case 'I': return CameraChannel::Interior;
        default: return std::nullopt;
    }
}

std::optional<CameraChannel> ChannelWord(const std::string& word) {
    const std::string lower = Lower(word);
    if (lower == "front") return CameraChannel::Front;
    if (lower == "rear" || lower == "back") return CameraChannel::Rear;
    if (lower == "inside" || lower == "interior" || lower == "cabin") return CameraChannel::Interior;
    return std::nullopt;
}

// The letters ending the stem, when a digit or a separator stands before them.
std::optional<CameraChannel> NameMarker(const std::string& stem) {
    size_t begin = stem.size();
    while (begin > 0 && std::isalpha(static_cast<unsigned char>(stem[begin - 1]))) --begin;
    if (begin == 0 || begin == stem.size()) return std::nullopt;
    const char before = stem[begin - 1];
    if (!std::isdigit(static_cast<unsigned char>(before)) && !IsGroupSeparator(before)) return std::nullopt;
    const std::string marker = stem.substr(begin);
    if (marker.size() == 1) return ChannelLetter(marker[0]);
    if (marker.size() == 2) {
        const char first = static_cast<char>(std::toupper(static_cast<unsigned char>(marker[0])));
        const char second = static_cast<char>(std::toupper(static_cast<unsigned char>(marker[1])));
        // Nextbase: camera, then quality (High, Low).
        if ((first == 'F' || first == 'R') && (second == 'H' || second == 'L')) return ChannelLetter(first);
        // BlackVue: recording mode (Normal, Event, Parking, Manual), then camera.
        if (first == 'N' || first == 'E' || first == 'P' || first == 'M') return ChannelLetter(second);
        return std::nullopt;
    }
    return ChannelWord(marker);
}

}  // namespace

const char* ChannelName(CameraChannel channel) {
    switch (channel) {
        case CameraChannel::Front: return "front";
        case CameraChannel::Rear: return "rear";
        case CameraChannel::Interior: return "interior";
    }
    return "front";
}

std::optional<CalendarTime> FileNameDateTime(const std::string& path) {
    const std::string stem = Stem(path);
    const std::vector<DigitRun> runs = DigitRuns(stem);
    for (size_t first = 0; first < runs.size(); ++first) {
        for (const NamePattern& pattern : NamePatterns()) {
            if (!RunsMatch(stem, runs, first, pattern)) continue;
            if (auto calendar = ReadFields(stem, runs, first, pattern)) return calendar;
        }
    }
    return std::nullopt;
}

CameraChannel ClipChannel(const std::string& path) {
    const std::filesystem::path file(path);
    if (const auto marked = NameMarker(file.stem().string())) return *marked;
    // The camera's own folders sit right above the clips, at most one level up.
    std::filesystem::path folder = file.parent_path();
    for (int level = 0; level < 2 && !folder.empty() && folder.has_filename(); ++level) {
        if (const auto marked = ChannelWord(folder.filename().string())) return *marked;
        folder = folder.parent_path();
    }
    return CameraChannel::Front;
}
