#include "TrackLoader.h"

#include <cmath>
#include <filesystem>

bool IsPositionOnEarth(double lat, double lon) {
    return std::isfinite(lat) && std::isfinite(lon) && std::abs(lat) <= 90 && std::abs(lon) <= 180;
}

std::string SideFilePath(const std::string& videoPath, const std::string& geoext) {
    std::filesystem::path path(videoPath);
    path.replace_extension(geoext);
    return path.string();
}

TrackLoad LoadTrack(const std::string& videoPath) {
    const std::string sideFile = SideFilePath(videoPath);
    std::error_code error;
    // Anything at that path wins, even what cannot be read: the video is then not searched.
    if (std::filesystem::exists(sideFile, error)) return LoadSideFileTrack(sideFile);
    return LoadEmbeddedTrack(videoPath);
}
