// Writes one 1 GiB clip per container, with GPS data at a dash camera's
// density: one fix per second of a 10 Mbit/s recording.

#include "GpsBlockBuilder.h"
#include "MovBuilder.h"
#include "RiffBuilder.h"
#include "TsBuilder.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: make_gps_clips [--] DIR\n"
    "Writes four 1 GiB clips with GPS data into DIR (made when missing):\n"
    "DIR/text.MOV, DIR/blocks.MOV, DIR/clip.AVI and DIR/clip.TS.\n";

constexpr uint64_t kClipBytes = uint64_t{1} << 30;
constexpr uint64_t kBytesPerSecond = 10'000'000 / 8;
constexpr int kFramesPerSecond = 30;
constexpr uint16_t kVideoPid = 0x0100;

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

// RIFF with a movi list of 30 video frames and one "02gp" chunk per second.
bool WriteAvi(const std::filesystem::path& path) {
    constexpr uint32_t kFrameBytes = kBytesPerSecond / kFramesPerSecond;
    const int seconds = Seconds(kBytesPerSecond);
    std::vector<std::string> gps;
    uint64_t moviChildren = 0;
    for (int s = 0; s < seconds; ++s) {
        gps.push_back(RiffChunk("02gp", GpsText(s)));
        moviChildren += kFramesPerSecond * (8 + uint64_t{kFrameBytes}) + gps.back().size();
    }
    const std::string hdrl = RiffList("hdrl", RiffChunk("avih", std::string(56, '\0')));
    const std::string movi = RiffListHeader("movi", static_cast<uint32_t>(moviChildren));
    Output out(path);
    if (!out.ok()) return false;
    out.write(RiffHeader(static_cast<uint32_t>(4 + hdrl.size() + movi.size() + moviChildren)));
    out.write(hdrl);
    out.write(movi);
    const std::string frameHeader = RiffChunkHeader("00dc", kFrameBytes);
    for (int s = 0; s < seconds; ++s) {
        for (int f = 0; f < kFramesPerSecond; ++f) {
            out.write(frameHeader);
            out.fill(kFrameBytes);
        }
        out.write(gps[s]);
    }
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
                    WriteAvi(dir / "clip.AVI") && WriteTs(dir / "clip.TS");
    return ok ? 0 : 1;
}
