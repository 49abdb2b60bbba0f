#pragma once

#include "GPSTrack.h"

#include <vector>

// Each point's speed in km/h, for colouring the drawn drive: the recorded
// speeds, or for a track that recorded none (a side file carries none) the
// speed over the stretch that ends at each point, from distances and times.
std::vector<double> PointSpeeds(const GPSTrack& track);
