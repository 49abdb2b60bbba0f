#pragma once

// Gauss-Krueger projection on the Krassovsky 1940 ellipsoid, centred on a
// movable meridian; measures segment lengths in metres.
class GeomTransform {
public:
    GeomTransform() = default;

    void setCenterL(double longitude) { center_L = longitude; }
    double getCenterL() const { return center_L; }

    double getGaussX(double L, double B);  // northing, metres
    double getGaussY(double L, double B);  // easting from the central meridian, metres
    double getLong(double x, double y);    // degrees, central meridian included
    double getLat(double x, double y);     // degrees

    // Distance in metres, projected about the meridian midway between the two.
    double getDistance(double lon1, double lat1, double lon2, double lat2);

    double gauss_X = 0;
    double gauss_Y = 0;
    double earth_Long = 0;
    double earth_Lat = 0;

private:
    // Terms shared by getGaussX and getGaussY.
    struct Forward {
        double l = 0, b = 0, s = 0, s2 = 0, c2 = 0, Nc = 0, eta2 = 0;
    };
    // Terms shared by getLong and getLat; atPole leaves the rest unset.
    struct Inverse {
        double Bf = 0, sf = 0, cf = 0;
        bool atPole = false;
        double Nf = 0, t = 0, eta = 0, q = 0;
    };
    Forward forward(double L, double B) const;
    Inverse inverse(double x, double y) const;

    double center_L = 0;
    double dRa = 6378245.0;
    double dE1 = 0.081813332;
    double dE2 = 0.08208852;
};
