#pragma once

#include "GPSReader.h"

// BlackVue MP4 clips keep the .gps log and the .3gf accelerometer file of the
// older cameras inside a top-level 'free' atom, as atoms 'gps ' and '3gf '.
bool RecogniseBlackVueFree(const GPSProbe& probe);
void ReadBlackVueFree(const GPSInput& input, GPSData& out);
