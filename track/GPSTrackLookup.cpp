#include "GPSTrack.h"

#include <cmath>
#include <limits>

namespace {

// Only called with a.time < t <= b.time, so the divisor is never zero.
void Interpolate(const GPSPoint& a, const GPSPoint& b, double t, GPSPoint& out) {
    const double span = b.time - a.time;
    out.lon = a.lon + (t - a.time) * (b.lon - a.lon) / span;
    out.lat = a.lat + (t - a.time) * (b.lat - a.lat) / span;
    out.time = t;
}

void CopyPlace(const GPSPoint& from, GPSPoint& to) {
    to.lon = from.lon;
    to.lat = from.lat;
    to.time = from.time;
}

}  // namespace

int32_t GPSTrack::getIndex(double t) const {
    const int32_t n = static_cast<int32_t>(points.size());
    for (int32_t i = 0; i < n; ++i) {
        if (t <= points[i].time) return i == 0 ? 0 : i - 1;
    }
    return n - 1;
}

bool GPSTrack::getPoint(double t, GPSPoint& out) {
    const int32_t n = static_cast<int32_t>(points.size());
    if (n == 0) return false;

    // Continuous playback stays in the cached segment or moves to the next one.
    const int32_t k = lastSegIndex;
    if (k >= 1 && k < n - 1) {
        const GPSPoint& prev = points[k - 1];
        const GPSPoint& cur = points[k];
        const GPSPoint& next = points[k + 1];
        if (prev.time < t && t <= cur.time) {
            Interpolate(prev, cur, t, out);
            return true;
        }
        if (cur.time < t && t <= next.time) {
            Interpolate(cur, next, t, out);
            lastSegIndex = k + 1;
            return true;
        }
    }

    for (int32_t i = 0; i < n; ++i) {
        if (t <= points[i].time) {
            if (i == 0) {
                CopyPlace(points[0], out);
            } else {
                Interpolate(points[i - 1], points[i], t, out);
                lastSegIndex = i;
            }
            return true;
        }
    }
    CopyPlace(points[n - 1], out);
    return true;
}

double GPSTrack::distancePointLine(const GPSPoint& p, const GPSPoint& a, const GPSPoint& b,
                                   GPSPoint& f) {
    if (a.equals(b)) {
        CopyPlace(a, f);
        return p.distance(a);
    }
    const double dx = b.lon - a.lon;
    const double dy = b.lat - a.lat;
    const double lengthSquared = dx * dx + dy * dy;
    const double r = ((p.lon - a.lon) * dx + (p.lat - a.lat) * dy) / lengthSquared;
    if (r <= 0) {
        CopyPlace(a, f);
        return p.distance(a);
    }
    if (r >= 1) {
        CopyPlace(b, f);
        return p.distance(b);
    }
    f.lon = a.lon + r * dx;
    f.lat = a.lat + r * dy;
    f.time = a.time + r * (b.time - a.time);
    return std::abs(dx * (a.lat - p.lat) - dy * (a.lon - p.lon)) / lengthSquared *
           std::sqrt(lengthSquared);
}

bool GPSTrack::getPoint(double lat, double lon, GPSPoint& out) const {
    if (points.empty()) return false;
    GPSPoint query;
    query.lon = lon;
    query.lat = lat;
    GPSPoint foot;
    double best = std::numeric_limits<double>::max();
    for (size_t i = 1; i < points.size(); ++i) {
        const double d = distancePointLine(query, points[i - 1], points[i], foot);
        if (d < best) {
            CopyPlace(foot, out);
            best = d;
        }
    }
    return true;
}
