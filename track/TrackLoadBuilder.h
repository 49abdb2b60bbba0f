#pragma once

#include "TrackLoader.h"

#include <chrono>
#include <optional>

// The steps both sources share: the start time, the polyline, the first point
// and the point times.
class TrackLoadBuilder {
public:
    using TimePoint = std::chrono::system_clock::time_point;

    explicit TrackLoadBuilder(TrackSource source);

    bool hasStart() const { return load.hasStartTime; }
    void setStart(TimePoint date);

    // A point whose date is unknown, or comes with no start time yet, takes the
    // time of the point before it (0 for the first), so times stay numbers and
    // keep their order. A position that is not on Earth adds nothing.
    void addPoint(double lat, double lon, std::optional<TimePoint> date, int16_t x, int16_t y,
                  int16_t z, double speed);

    // A point at a time already worked out, in milliseconds from the start.
    void addPointAt(double lat, double lon, double time, int16_t x, int16_t y, int16_t z, double speed);

    // The time in milliseconds addPoint would give a point of that date.
    double nextPointTime(std::optional<TimePoint> date) const;

    // The load, its track built when it has points.
    TrackLoad finish();

private:
    TrackLoad load;
};
