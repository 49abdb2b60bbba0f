#include "ClipProbe.h"

#include "BudgetedByteSource.h"
#include "RepairGPSRecords.h"
#include "TrackLoader.h"

#include <filesystem>
#include <sys/stat.h>

DriveClip ProbeDriveClip(const std::string& path, int64_t budget) {
    const std::string sideFile = SideFilePath(path);
    std::error_code error;
    if (std::filesystem::exists(sideFile, error)) return DriveClipOf(path, LoadSideFileTrack(sideFile));

    GPSData data;
    bool whole = true;
    FileByteSource file(path);
    if (file.isOpen()) {
        BudgetedByteSource bounded(file, budget);
        GPSExtraction extraction = ReadGPSData(bounded, path);
        RepairGPSRecords(extraction.data.records, extraction.data.clock);
        data = std::move(extraction.data);
        whole = !bounded.exhausted();
    }
    return DriveClipOf(path, BuildEmbeddedTrack(data), whole);
}

DriveClip NamedDriveClip(const std::string& path) {
    DriveClip clip;
    clip.path = path;
    clip.channel = ClipChannel(path);
    ClipTimeClues clues;
    if (const auto calendar = FileNameDateTime(path)) clues.fileNameTime = CalendarToTimePoint(*calendar, GPSClock::Local);
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0)
        clues.modificationTime = DriveClip::TimePoint(std::chrono::seconds(status.st_mtim.tv_sec));
    DecideClipTimes(clues, clip);
    return clip;
}
