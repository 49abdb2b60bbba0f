#include "TrackForCli.h"

#include "ExitStatus.h"
#include "FileCheck.h"

#include <filesystem>
#include <iostream>

int ReportCannotOpen(const std::string& program, const std::string& path, const std::string& reason) {
    std::cerr << program << ": cannot open " << path << ": " << reason << '\n';
    return kExitUsage;
}

int ReportNoGPSData(const std::string& program, const std::string& path, const std::string& reason) {
    std::cerr << "no GPS data in " << path << '\n';
    if (!reason.empty()) std::cerr << program << ": " << path << ": " << reason << '\n';
    return kExitNoGPSData;
}

std::optional<TrackLoad> LoadTrackOrExplain(const std::string& program, const std::string& path, int& status) {
    if (const auto reason = CannotOpenReason(path)) {
        status = ReportCannotOpen(program, path, *reason);
        return std::nullopt;
    }
    const std::string sideFile = SideFilePath(path);
    std::error_code error;
    if (std::filesystem::exists(sideFile, error)) {
        if (const auto reason = CannotOpenReason(sideFile)) {
            status = ReportCannotOpen(program, sideFile, *reason);
            return std::nullopt;
        }
    }
    TrackLoad load = LoadTrack(path);
    if (load.track->isEmpty()) {
        status = ReportNoGPSData(program, path, load.source == TrackSource::SideFile ? "the side file holds no fix" : load.reason);
        return std::nullopt;
    }
    if (load.truncated)
        std::cerr << program << ": " << path << ": more GPS records than are kept; the rest were left unread\n";
    status = kExitPrinted;
    return load;
}
