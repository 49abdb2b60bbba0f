#include "GpmfPayload.h"

#include "GpmfKlv.h"
#include "CalendarClock.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <string>

namespace {

constexpr FourCC kDevice = MakeFourCC("DEVC");
constexpr FourCC kDeviceName = MakeFourCC("DVNM");
constexpr FourCC kStream = MakeFourCC("STRM");
constexpr FourCC kScale = MakeFourCC("SCAL");
constexpr FourCC kStructureType = MakeFourCC("TYPE");
constexpr FourCC kInputOrientation = MakeFourCC("ORIN");
constexpr FourCC kGpsTime = MakeFourCC("GPSU");
constexpr FourCC kGpsFix = MakeFourCC("GPSF");
constexpr FourCC kGps5 = MakeFourCC("GPS5");
constexpr FourCC kGps9 = MakeFourCC("GPS9");
constexpr FourCC kDronePosition = MakeFourCC("GLPI");
constexpr FourCC kSystemTime = MakeFourCC("SYST");
constexpr FourCC kAccelerometer = MakeFourCC("ACCL");

constexpr double kStandardGravity = 9.80665;  // m/s² per g
constexpr double kHundredths = 100;
constexpr int64_t kMsPerSecond = 1000;
constexpr int64_t kMsPerDay = 86400 * kMsPerSecond;
constexpr int kFirstFix = 2;  // GPSF and GPS9: 0 no fix, 2 a 2-D fix, 3 a 3-D fix
constexpr size_t kGpsTimeLength = 16;  // yymmddhhmmss.sss

// Values of one GPS5 sample.
enum Gps5 { kGps5Lat, kGps5Lon, kGps5Altitude, kGps5Speed2D, kGps5Speed3D, kGps5Values };
// Values of one GPS9 sample.
enum Gps9 { kGps9Lat, kGps9Lon, kGps9Altitude, kGps9Speed2D, kGps9Speed3D, kGps9Days, kGps9Seconds, kGps9Dop,
            kGps9Fix, kGps9Values };
// Values of one GLPI sample (the drone's MAVLink global position).
enum Glpi { kGlpiBoot, kGlpiLat, kGlpiLon, kGlpiAltitude, kGlpiRelativeAltitude, kGlpiVelocityX, kGlpiVelocityY,
            kGlpiVelocityZ, kGlpiHeading, kGlpiValues };
// Values of one SYST sample.
enum Syst { kSystBoot, kSystUtc, kSystValues };

const int64_t kGps9Epoch = *UtcMilliseconds(2000, 1, 1, 0, 0, 0);

// Where one accelerometer channel goes: 0 lateral (camera X), 1 longitudinal
// (camera Y, out of the lens), 2 vertical (camera Z), and its sign.
struct AxisMap {
    int axis[3];
    double sign[3];
};

// ORIN-style text: one camera axis letter per channel, lower case when the
// channel counts against the axis.
std::optional<AxisMap> ParseOrientation(const std::string& text) {
    if (text.size() != 3) return std::nullopt;
    AxisMap map{};
    bool seen[3] = {};
    for (int channel = 0; channel < 3; ++channel) {
        const char letter = text[channel];
        const int axis = std::toupper(static_cast<unsigned char>(letter)) - 'X';
        if (axis < 0 || axis > 2 || seen[axis]) return std::nullopt;
        seen[axis] = true;
        map.axis[channel] = axis;
        map.sign[channel] = std::islower(static_cast<unsigned char>(letter)) ? -1 : 1;
    }
    return map;
}

bool Contains(std::string text, const char* word) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text.find(word) != std::string::npos;
}

// Cameras without ORIN store the channels in a fixed order per model; the
// HERO5's is up/down, right/left, forward/back.
AxisMap ModelAxes(const std::string& deviceName) {
    if (Contains(deviceName, "HERO6") || Contains(deviceName, "HERO7")) return *ParseOrientation("YxZ");
    if (Contains(deviceName, "FUSION")) return *ParseOrientation("yXZ");
    return *ParseOrientation("ZXY");
}

std::optional<int> Digits(const std::string& text, size_t at, size_t count) {
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// GPSU: "yymmddhhmmss.sss", UTC, years of this century.
std::optional<int64_t> ParseGpsTime(const GpmfItem& item) {
    const std::string text = GpmfText(item);
    if (text.size() < kGpsTimeLength || text[12] != '.') return std::nullopt;
    const auto year = Digits(text, 0, 2), month = Digits(text, 2, 2), day = Digits(text, 4, 2);
    const auto hour = Digits(text, 6, 2), minute = Digits(text, 8, 2), second = Digits(text, 10, 2);
    const auto millisecond = Digits(text, 13, 3);
    if (!year || !month || !day || !hour || !minute || !second || !millisecond) return std::nullopt;
    return UtcMilliseconds(2000 + *year, *month, *day, *hour, *minute, *second, *millisecond);
}

// A fix type (0, 2 or 3) from the first value, none when there is no such value.
std::optional<int> FixOf(const std::vector<double>& values) {
    if (values.empty() || !(values[0] >= 0 && values[0] <= 3)) return std::nullopt;
    return static_cast<int>(values[0]);
}

template <typename T>
bool Push(std::vector<T>& list, const T& value, size_t bound, GpmfTelemetry& out) {
    if (list.size() >= bound) {
        out.truncated = true;
        return false;
    }
    list.push_back(value);
    return true;
}

struct PayloadTime {
    double startMs;
    double durationMs;
    // Samples of one item are spread evenly over the payload.
    double offsetOf(size_t index, size_t count) const { return durationMs * double(index) / double(count); }
};

// The sticky properties of one stream, which apply to the items after them.
struct StreamState {
    std::vector<double> scale;
    std::string structure;
    std::optional<AxisMap> orientation;
    std::optional<int64_t> gpsTime;
    std::optional<int> gpsFix;
};

// Calls use(index, values) with each sample's scaled values, when the item's
// samples hold at least minimum values.
template <typename Use>
void ForEachSample(const GpmfItem& item, const StreamState& state, size_t minimum, Use use) {
    const std::optional<std::string> layout = GpmfSampleLayout(item, state.structure);
    if (!layout || layout->size() < minimum) return;
    for (size_t i = 0; i < item.repeat; ++i) {
        std::vector<double> values = GpmfSampleValues(item, *layout, i);
        GpmfApplyScale(values, state.scale);
        if (!use(i, values)) return;
    }
}

void DecodeGps5(const GpmfItem& item, const StreamState& state, const PayloadTime& time, GpmfTelemetry& out) {
    if (!state.gpsTime || (state.gpsFix && *state.gpsFix < kFirstFix)) return;
    ForEachSample(item, state, kGps5Values, [&](size_t i, const std::vector<double>& v) {
        const double offset = time.offsetOf(i, item.repeat);
        TelemetryFix fix;
        fix.utcMs = *state.gpsTime + std::llround(offset);
        fix.clipMs = time.startMs + offset;
        fix.lat = v[kGps5Lat];
        fix.lon = v[kGps5Lon];
        fix.altitude = v[kGps5Altitude];
        fix.speed = v[kGps5Speed2D];
        fix.fixQuality = state.gpsFix.value_or(0);
        return Push(out.gps5, fix, GPSData::kMaxGPSRecords, out);
    });
}

void DecodeGps9(const GpmfItem& item, const StreamState& state, const PayloadTime& time, GpmfTelemetry& out) {
    ForEachSample(item, state, kGps9Values, [&](size_t i, const std::vector<double>& v) {
        const double sinceEpochMs = v[kGps9Days] * kMsPerDay + v[kGps9Seconds] * kMsPerSecond;
        const std::optional<int> fixType = FixOf({v[kGps9Fix]});
        if (!fixType || *fixType < kFirstFix || !std::isfinite(sinceEpochMs) || std::fabs(sinceEpochMs) > 1e15)
            return true;
        TelemetryFix fix;
        fix.utcMs = kGps9Epoch + std::llround(sinceEpochMs);
        fix.clipMs = time.startMs + time.offsetOf(i, item.repeat);
        fix.lat = v[kGps9Lat];
        fix.lon = v[kGps9Lon];
        fix.altitude = v[kGps9Altitude];
        fix.speed = v[kGps9Speed2D];
        fix.fixQuality = *fixType;
        return Push(out.gps9, fix, GPSData::kMaxGPSRecords, out);
    });
}

void DecodeDronePosition(const GpmfItem& item, const StreamState& state, const PayloadTime& time,
                         GpmfTelemetry& out) {
    ForEachSample(item, state, kGlpiValues, [&](size_t i, const std::vector<double>& v) {
        if (!std::isfinite(v[kGlpiBoot])) return true;
        TelemetryFix fix;
        fix.clipMs = time.startMs + time.offsetOf(i, item.repeat);
        fix.lat = v[kGlpiLat];
        fix.lon = v[kGlpiLon];
        fix.altitude = v[kGlpiAltitude];
        fix.speed = std::hypot(v[kGlpiVelocityX], v[kGlpiVelocityY]);
        fix.heading = v[kGlpiHeading];
        if (!Push(out.dronePositions, fix, GPSData::kMaxGPSRecords, out)) return false;
        out.dronePositionBoot.push_back(v[kGlpiBoot]);
        return true;
    });
}

void DecodeSystemTime(const GpmfItem& item, const StreamState& state, GpmfTelemetry& out) {
    ForEachSample(item, state, kSystValues, [&](size_t, const std::vector<double>& v) {
        if (!std::isfinite(v[kSystBoot]) || !std::isfinite(v[kSystUtc])) return true;
        return Push(out.droneClock, SystemClockPoint{v[kSystBoot], v[kSystUtc]}, GPSData::kMaxGPSRecords, out);
    });
}

void DecodeAccelerometer(const GpmfItem& item, const StreamState& state, const std::string& deviceName,
                         const PayloadTime& time, GpmfTelemetry& out) {
    const AxisMap map = state.orientation.value_or(ModelAxes(deviceName));
    ForEachSample(item, state, 3, [&](size_t i, const std::vector<double>& v) {
        double g[3] = {};
        for (int channel = 0; channel < 3; ++channel)
            g[map.axis[channel]] = map.sign[channel] * v[channel] / kStandardGravity * kHundredths;
        const AccelSample sample{time.startMs + time.offsetOf(i, item.repeat), g[0], g[1], g[2]};
        return Push(out.accel, sample, GPSData::kMaxAccelSamples, out);
    });
}

void DecodeStream(const GpmfItem& stream, const std::string& deviceName, const PayloadTime& time,
                  GpmfTelemetry& out) {
    StreamState state;
    // The GPS time, fix and the channel order describe the whole payload,
    // wherever they stand in the stream.
    for (GpmfCursor items = GpmfCursor::Children(stream); const auto item = items.next();) {
        if (item->key == kGpsTime) state.gpsTime = ParseGpsTime(*item);
        if (item->key == kGpsFix) state.gpsFix = FixOf(GpmfAllValues(*item));
        if (item->key == kInputOrientation) state.orientation = ParseOrientation(GpmfText(*item));
    }
    for (GpmfCursor items = GpmfCursor::Children(stream); const auto item = items.next();) {
        switch (item->key) {
            case kScale: state.scale = GpmfAllValues(*item); break;
            case kStructureType: state.structure = GpmfText(*item); break;
            case kGps5: DecodeGps5(*item, state, time, out); break;
            case kGps9: DecodeGps9(*item, state, time, out); break;
            case kDronePosition: DecodeDronePosition(*item, state, time, out); break;
            case kSystemTime: DecodeSystemTime(*item, state, out); break;
            case kAccelerometer: DecodeAccelerometer(*item, state, deviceName, time, out); break;
            default: break;
        }
    }
}

// UTC of a moment on the drone's clock, through the clock points around it
// (the nearest pair at either end): the clock runs at its own rate.
std::optional<int64_t> DroneUtc(const std::vector<SystemClockPoint>& clock, double bootSeconds) {
    if (clock.empty()) return std::nullopt;
    size_t first = 0;
    while (first + 2 < clock.size() && clock[first + 1].bootSeconds <= bootSeconds) ++first;
    const SystemClockPoint& a = clock[first];
    double rate = 1;
    if (first + 1 < clock.size()) {
        const SystemClockPoint& b = clock[first + 1];
        if (b.bootSeconds > a.bootSeconds) rate = (b.utcSeconds - a.utcSeconds) / (b.bootSeconds - a.bootSeconds);
    }
    const double utcSeconds = a.utcSeconds + (bootSeconds - a.bootSeconds) * rate;
    if (!std::isfinite(utcSeconds) || std::fabs(utcSeconds) > 1e12) return std::nullopt;
    return std::llround(utcSeconds * kMsPerSecond);
}

}  // namespace

void DecodeGpmfPayload(const unsigned char* data, size_t size, double startMs, double durationMs,
                       GpmfTelemetry& out) {
    const PayloadTime time{startMs, durationMs};
    for (GpmfCursor devices(data, size); const auto device = devices.next();) {
        if (device->key != kDevice || !device->nested()) continue;
        std::string deviceName;
        for (GpmfCursor items = GpmfCursor::Children(*device); const auto item = items.next();) {
            if (item->key == kDeviceName) deviceName = GpmfText(*item);
            if (item->key == kStream && item->nested()) DecodeStream(*item, deviceName, time, out);
        }
    }
}

std::vector<TelemetryFix> GpmfFixes(const GpmfTelemetry& telemetry) {
    if (!telemetry.gps9.empty()) return telemetry.gps9;
    if (!telemetry.gps5.empty()) return telemetry.gps5;
    std::vector<SystemClockPoint> clock = telemetry.droneClock;
    std::sort(clock.begin(), clock.end(),
              [](const SystemClockPoint& a, const SystemClockPoint& b) { return a.bootSeconds < b.bootSeconds; });
    std::vector<TelemetryFix> fixes;
    for (size_t i = 0; i < telemetry.dronePositions.size(); ++i) {
        const std::optional<int64_t> utcMs = DroneUtc(clock, telemetry.dronePositionBoot[i]);
        if (!utcMs) continue;
        fixes.push_back(telemetry.dronePositions[i]);
        fixes.back().utcMs = *utcMs;
    }
    return fixes;
}
