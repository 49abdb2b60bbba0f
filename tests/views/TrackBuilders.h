#pragma once

#include "GPSTrack.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

using GSample = std::array<int16_t, 3>;  // X, Y, Z in hundredths of g

// One point a second at one place, with the given G-sensor samples; built.
std::shared_ptr<GPSTrack> GSensorTrack(const std::vector<GSample>& samples);

// One point a second northward along a meridian, each segment measuring the
// given metres (to a millimetre); built, so distances are whole metres cut down.
std::shared_ptr<GPSTrack> DistanceTrack(const std::vector<double>& segmentMetres,
                                        double speed = 0);
