#pragma once

#include "GPSReader.h"

// Auto-Vox dash cams append RIFF-style chunks ('gpsa', 'gps0', 'gsen',
// 'gsea') after the last atom of their MP4 files.
bool RecogniseAutoVoxTrailer(const GPSProbe& probe);
void ReadAutoVoxTrailer(const GPSInput& input, GPSData& out);
