// Writes one 1 GiB clip per container and dialect, with GPS data at a
// camera's density: one fix or telemetry sample per second of a 10 Mbit/s
// recording.

#include "ChunkedMovie.h"
#include "FreeGpsBuilder.h"
#include "GpsBlockBuilder.h"
#include "LittleEndianBytes.h"
#include "MovBuilder.h"
#include "RiffBuilder.h"
#include "TelemetryBuilder.h"
#include "TsBuilder.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: make_gps_clips [--] DIR\n"
    "Writes eight 1 GiB clips with GPS data into DIR (made when missing):\n"
    "DIR/text.MOV, DIR/blocks.MOV, DIR/indexed.MOV, DIR/unindexed.MOV,\n"
    "DIR/gpmf.MP4, DIR/camm.MP4, DIR/clip.AVI and DIR/clip.TS.\n";

constexpr uint64_t kClipBytes = uint64_t{1} << 30;
constexpr uint64_t kBytesPerSecond = 10'000'000 / 8;
constexpr int kFramesPerSecond = 30;
constexpr uint16_t kVideoPid = 0x0100;
// Novatek cameras give each second's box 32 KiB, mostly padding.
constexpr uint32_t kFreeGpsBoxBytes = 32768;
// 15 June 2015 12:00:00 UTC on the GPS clock: seconds since 6 January 1980, 16 leap seconds ahead.
constexpr double kGpsSecondsAtStart = 1434369600.0 - 315964800 + 16;

int Seconds(uint64_t bytesPerSecond) { return static_cast<int>(kClipBytes / bytesPerSecond); }

// A drive north-east at about 60 km/h, starting 15 June 2015 12:00:00.
std::string GpsText(int second) {
    char text[128];
    const int minutes = second / 60;
    std::snprintf(text, sizeof text, "A,150615,%02d%02d%02d,%.4f,N,%.4f,E,%.1f,%d,%d,%d",
                  12 + minutes / 60, minutes % 60, second % 60, 2234.5678 + second * 0.009,
                  11354.3210 + second * 0.009, 32.4, second % 50 - 25, 3, 98);
    return text;
}

GpsBlockFix BlockFix(int second) {
    GpsBlockFix fix;
    const int minutes = second / 60;
    fix.hour = 12 + minutes / 60;
    fix.minute = minutes % 60;
    fix.second = second % 60;
    fix.lat = static_cast<float>(2234.5678 + second * 0.009);
    fix.lon = static_cast<float>(11354.3210 + second * 0.009);
    fix.gsX = static_cast<float>(second % 50 - 25);
    return fix;
}

// The same fix as a Novatek "freeGPS " box.
std::string NovatekBox(int second) {
    const GpsBlockFix fix = BlockFix(second);
    return FreeGpsBox(kFreeGpsBoxBytes)
        .ints(0x30, {fix.hour, fix.minute, fix.second, 15, 6, 15})
        .text(0x48, "ANE")
        .floats(0x4c, {fix.lat, fix.lon, 32.4f})
        .floats(0x60, {fix.gsX, 3, 98})
        .bytes();
}

double LatDegrees(int second) { return 22 + (34.5678 + second * 0.009) / 60; }
double LonDegrees(int second) { return 113 + (54.3210 + second * 0.009) / 60; }

// One GoPro GPMF payload: the second's fix with its GPS time.
std::string GpmfSecond(int second) {
    using namespace gpmf;
    char time[32];
    const int minutes = second / 60;
    std::snprintf(time, sizeof time, "150615%02d%02d%02d.000", 12 + minutes / 60, minutes % 60, second % 60);
    const std::vector<int32_t> gps5 = {static_cast<int32_t>(LatDegrees(second) * 1e7),
                                       static_cast<int32_t>(LonDegrees(second) * 1e7), 50000, 16000, 1600};
    return Nest("DEVC", Nest("STRM", Item("GPSF", 'L', 4, 1, BE32(3)) + Item("GPSU", 'U', 16, 1, time) +
                                         Longs("SCAL", 1, {10000000, 10000000, 1000, 1000, 100}) +
                                         Longs("GPS5", 5, gps5)));
}

std::string CammSecond(int second) {
    return camm::Gps(kGpsSecondsAtStart + second, 3, LatDegrees(second), LonDegrees(second), 50, 11, 11);
}

class Output {
public:
    explicit Output(const std::filesystem::path& path) : fp(std::fopen(path.c_str(), "wb")) {
        if (!fp) std::perror(path.c_str());
    }
    ~Output() {
        if (fp) std::fclose(fp);
    }
    bool ok() const { return fp != nullptr; }
    void write(const std::string& bytes) { std::fwrite(bytes.data(), 1, bytes.size(), fp); }
    void fill(uint64_t count) {
        static const std::vector<char> zeros(1 << 20, '\0');
        while (count > 0) {
            const size_t n = count < zeros.size() ? count : zeros.size();
            std::fwrite(zeros.data(), 1, n, fp);
            count -= n;
        }
    }

private:
    std::FILE* fp;
};

// ftyp, moov, mdat: one video sample per second and the text sample after it.
bool WriteTextMov(const std::filesystem::path& path) {
    const int seconds = Seconds(kBytesPerSecond);
    mov::Track video{"vide", {}};
    std::vector<std::string> texts;
    for (int s = 0; s < seconds; ++s) {
        video.samples.emplace_back(kBytesPerSecond - 64, '\0');
        texts.push_back(GpsText(s));
    }
    Output out(path);
    if (!out.ok()) return false;
    out.write(mov::Movie({video, mov::TextTrack(texts)}));
    return true;
}

// A "free" atom holding a GPS block on every 32 KiB boundary that starts a
// second of video, the video in an mdat atom after it.
bool WriteBlockMov(const std::filesystem::path& path) {
    constexpr uint64_t kVideoBytes =
        (kBytesPerSecond + kGpsBlockAlignment - 1) / kGpsBlockAlignment * kGpsBlockAlignment;
    const int seconds = Seconds(kGpsBlockAlignment + kVideoBytes);
    Output out(path);
    if (!out.ok()) return false;
    const std::string head = mov::Ftyp() + mov::Atom("moov", mov::Atom("mvhd", std::string(100, '\0')));
    out.write(head);
    out.write(mov::AtomHeader(static_cast<uint32_t>(kGpsBlockAlignment - head.size()), "free"));
    out.fill(kGpsBlockAlignment - head.size() - 8);
    for (int s = 0; s < seconds; ++s) {
        const std::string block = mov::AtomHeader(kGpsBlockAlignment, "free") +
                                  GpsBlock(BlockFix(s)).substr(8);
        out.write(block);
        out.fill(kGpsBlockAlignment - block.size());
        out.write(mov::AtomHeader(static_cast<uint32_t>(kVideoBytes), "mdat"));
        out.fill(kVideoBytes - 8);
    }
    return true;
}

// ftyp, one mdat holding each second's "freeGPS " box before its video, and
// moov last with the video track, and the boxes' 'gps ' index when indexed.
bool WriteFreeGpsMov(const std::filesystem::path& path, bool indexed) {
    const int seconds = Seconds(kBytesPerSecond);
    const std::string ftyp = mov::Ftyp();
    const uint32_t frameBytes = (kBytesPerSecond - kFreeGpsBoxBytes) / kFramesPerSecond;
    Output out(path);
    if (!out.ok()) return false;
    out.write(ftyp);
    out.write(mov::AtomHeader(static_cast<uint32_t>(8 + seconds * kBytesPerSecond), "mdat"));
    std::vector<std::pair<uint32_t, uint32_t>> index;
    std::vector<uint32_t> chunkOffsets;
    uint64_t offset = ftyp.size() + 8;
    for (int s = 0; s < seconds; ++s) {
        const std::string box = NovatekBox(s);
        out.write(box);
        out.fill(kBytesPerSecond - box.size());
        index.emplace_back(static_cast<uint32_t>(offset), static_cast<uint32_t>(box.size()));
        chunkOffsets.push_back(static_cast<uint32_t>(offset + box.size()));
        offset += kBytesPerSecond;
    }
    const std::string movie =
        mov::Atom("mvhd", std::string(100, '\0')) + mov::VideoTrak(chunkOffsets, kFramesPerSecond, frameBytes);
    out.write(mov::Atom("moov", indexed ? movie + FreeGpsIndexAtom(index) : movie));
    return true;
}

// An MP4 as action cameras write it: ftyp, mdat with one video chunk and one
// telemetry sample per second, moov last.
bool WriteTelemetryMp4(const std::filesystem::path& path, mov::ChunkedTrack telemetry, std::string (*sample)(int)) {
    const int seconds = Seconds(kBytesPerSecond);
    mov::ChunkedTrack video{"vide", "avc1", {}};
    for (int s = 0; s < seconds; ++s) {
        telemetry.chunks.push_back({sample(s)});
        video.chunks.push_back({std::string(kBytesPerSecond - telemetry.chunks.back()[0].size(), '\0')});
    }
    Output out(path);
    if (!out.ok()) return false;
    out.write(mov::ChunkedMovie({video, telemetry}, {mov::Layout::MoovLast}));
    return true;
}

// RIFF with a movi list of 30 video frames and one "02gp" chunk per second,
// then the idx1 index of its chunks, as cameras and muxers write it.
bool WriteAvi(const std::filesystem::path& path) {
    constexpr uint32_t kFrameBytes = kBytesPerSecond / kFramesPerSecond;
    constexpr uint32_t kKeyFrame = 0x10;
    const int seconds = Seconds(kBytesPerSecond);
    std::vector<std::string> gps;
    std::string index;
    // Index offsets count from the movi list's type field.
    uint64_t moviChildren = 0;
    const auto addEntry = [&](std::string_view id, uint32_t size) {
        index += std::string(id) + LE32(kKeyFrame) + LE32(static_cast<uint32_t>(4 + moviChildren)) + LE32(size);
        moviChildren += 8 + size + (size & 1);
    };
    for (int s = 0; s < seconds; ++s) {
        for (int f = 0; f < kFramesPerSecond; ++f) addEntry("00dc", kFrameBytes);
        gps.push_back(GpsText(s));
        addEntry("02gp", static_cast<uint32_t>(gps.back().size()));
    }
    const std::string hdrl = RiffList("hdrl", RiffChunk("avih", std::string(56, '\0')));
    const std::string movi = RiffListHeader("movi", static_cast<uint32_t>(moviChildren));
    const std::string idx1 = RiffChunk("idx1", index);
    Output out(path);
    if (!out.ok()) return false;
    out.write(RiffHeader(static_cast<uint32_t>(4 + hdrl.size() + movi.size() + moviChildren + idx1.size())));
    out.write(hdrl);
    out.write(movi);
    const std::string frameHeader = RiffChunkHeader("00dc", kFrameBytes);
    for (int s = 0; s < seconds; ++s) {
        for (int f = 0; f < kFramesPerSecond; ++f) {
            out.write(frameHeader);
            out.fill(kFrameBytes);
        }
        out.write(RiffChunk("02gp", gps[s]));
    }
    out.write(idx1);
    return true;
}

// 188-byte packets: one GPS packet per second among the video packets.
bool WriteTs(const std::filesystem::path& path) {
    const uint64_t packetsPerSecond = kBytesPerSecond / kTsPacketSize;
    const int seconds = Seconds(packetsPerSecond * kTsPacketSize);
    Output out(path);
    if (!out.ok()) return false;
    std::string videoSecond;
    for (uint64_t p = 1; p < packetsPerSecond; ++p) videoSecond += TsFillerPacket(kVideoPid);
    for (int s = 0; s < seconds; ++s) {
        out.write(TsGpsPacket(GpsText(s)));
        out.write(videoSecond);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    // Four gigabytes are not written on a mistyped option: "--" before a
    // folder whose name starts with a dash.
    const bool separated = !args.empty() && args[0] == "--";
    if (separated) args.erase(args.begin());
    if (args.size() != 1 || args[0].empty() || (!separated && args[0].starts_with('-'))) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::filesystem::path dir(args[0]);
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::fprintf(stderr, "make_gps_clips: cannot make %s: %s\n", dir.c_str(), error.message().c_str());
        return 2;
    }
    const bool ok = WriteTextMov(dir / "text.MOV") && WriteBlockMov(dir / "blocks.MOV") &&
                    WriteFreeGpsMov(dir / "indexed.MOV", true) && WriteFreeGpsMov(dir / "unindexed.MOV", false) &&
                    WriteTelemetryMp4(dir / "gpmf.MP4", {"meta", "gpmd", {}}, GpmfSecond) &&
                    WriteTelemetryMp4(dir / "camm.MP4", {"camm", "camm", {}}, CammSecond) &&
                    WriteAvi(dir / "clip.AVI") && WriteTs(dir / "clip.TS");
    return ok ? 0 : 1;
}
