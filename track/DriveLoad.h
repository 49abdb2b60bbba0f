#pragma once

#include "Drives.h"
#include "TrackLoader.h"

#include <string>

// What is read for a drive before it is shown: its route and the clips' durations.
struct DriveLoad {
    Drive drive;      // every clip's duration filled in where the file tells it
    TrackLoad track;  // the leading camera's clips joined in drive time
};

// A clip on its own, as a drive of one: its channel from its name, its
// duration not known yet.
Drive DriveOfOneClip(const std::string& path);

// Reads the leading clips' tracks and joins them; a drive of one keeps its
// clip's track as loaded, with what it says about missing GPS data. A joined
// drive without a point takes the first clip's account of why. Durations the
// drive did not know are read from the files.
DriveLoad LoadDrive(Drive drive);
