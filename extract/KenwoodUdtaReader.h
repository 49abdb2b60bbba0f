#pragma once

#include "GPSReader.h"

// Kenwood dash cams (DRV-A301W and relatives) write a top-level 'udta' atom
// of their own holding one text record per fix.
bool RecogniseKenwoodUdta(const GPSProbe& probe);
void ReadKenwoodUdta(const GPSInput& input, GPSData& out);
