#include "GPSPoint.h"

#include <cmath>
#include <cstdio>

GPSPoint GPSPoint::pointWithLat(double lat, double lon, double time, int16_t x, int16_t y,
                                int16_t z, double speed) {
    GPSPoint p;
    p.lat = lat;
    p.lon = lon;
    p.time = time;
    p.gsX = x;
    p.gsY = y;
    p.gsZ = z;
    p.speed = speed;
    return p;
}

bool GPSPoint::equals(const GPSPoint& other) const {
    return lat == other.lat && lon == other.lon;
}

double GPSPoint::distance(const GPSPoint& other) const {
    const double dLon = other.lon - lon;
    const double dLat = other.lat - lat;
    return std::sqrt(dLon * dLon + dLat * dLat);
}

std::string GPSPoint::toString() const {
    // Negative zero compares equal to zero, so it counts as east or north.
    const char* format = nullptr;
    if (lon >= 0)
        format = lat >= 0 ? "E:%03.06f\u00B0  N:%03.06f\u00B0" : "E:%03.06f\u00B0  S:%03.06f\u00B0";
    else
        format = lat >= 0 ? "W:%03.06f\u00B0  N:%03.06f\u00B0" : "W:%03.06f\u00B0  S:%03.06f\u00B0";
    // %f of a huge value runs to hundreds of digits, so measure first.
    const int length = std::snprintf(nullptr, 0, format, lon, lat);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, lon, lat);
    text.pop_back();
    return text;
}
