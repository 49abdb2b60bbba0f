#pragma once

#include "GPSPoint.h"
#include "GeomTransform.h"

#include <chrono>
#include <cstdint>
#include <vector>

// The drive recorded with one video: its points in recording order, the
// calendar instant of point time 0, and the figures derived by buildSpeed.
class GPSTrack {
public:
    using TimePoint = std::chrono::system_clock::time_point;

    GPSTrack();

    void addPoint(double lat, double lon, double time, int16_t x, int16_t y, int16_t z,
                  double speed);
    void setStartTime(TimePoint start) { startTime = start; }
    TimePoint getStartTime() const { return startTime; }
    bool isEmpty() const { return points.empty(); }
    const std::vector<GPSPoint>& pointArray() const { return points; }

    // Distances from the start and to the end of every point, total and speed figures.
    void buildSpeed();

    int32_t getTotalDist() const;  // metres, fraction cut off
    int32_t getMaxSpeed() const;   // km/h, never below the average
    int32_t getMinSpeed() const;   // lowest point speed of the drive
    int32_t getAvgSpeed() const;   // distance over time; 0 unless the last point is later than the first

    // Index k of the point ending the segment where the last time lookup fell.
    int32_t getLastSegIndex() const { return lastSegIndex; }

    // Index of the point that begins the segment holding t; -1 when empty.
    int32_t getIndex(double t) const;
    // Position at playback time t (ms), interpolated; false only when empty.
    bool getPoint(double t, GPSPoint& out);
    // Nearest place on the polyline to (lat, lon) and when it was passed.
    bool getPoint(double lat, double lon, GPSPoint& out) const;
    // Degree-plane distance from p to segment ab; f gets the nearest place.
    static double distancePointLine(const GPSPoint& p, const GPSPoint& a, const GPSPoint& b,
                                    GPSPoint& f);

private:
    double totalDist = 0;
    double maxSpeed = 0;
    double minSpeed = 0;
    double avgSpeed = 0;
    int32_t lastSegIndex = 0;
    TimePoint startTime;
    GeomTransform distTransformer;
    std::vector<GPSPoint> points;
};
