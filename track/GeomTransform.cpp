#include "GeomTransform.h"

#include <cmath>

namespace {

// The forward and the inverse series were fitted with different roundings of pi.
constexpr double kPiForward = 3.141592654;
constexpr double kPiInverse = 3.14159265;

// Krassovsky 1940 meridian arc: X0 = A*b - B*sin 2b + C*sin 4b - D*sin 6b + E*sin 8b.
constexpr double kArcA = 6367558.4971;
constexpr double kArcB = 16036.4803;
constexpr double kArcC = 16.8281;
constexpr double kArcD = 0.02198;
constexpr double kArcE = 0.000031;

// Footpoint latitude from the northing.
constexpr double kFootScale = 1.570460641219e-07;
constexpr double kFoot2 = 0.0025184647783;
constexpr double kFoot4 = 3.6998873e-06;
constexpr double kFoot6 = 7.4449e-09;
constexpr double kFoot8 = 1.828e-11;

}  // namespace

GeomTransform::Forward GeomTransform::forward(double L, double B) const {
    Forward f;
    f.l = (L - center_L) * kPiForward / 180;
    f.b = B * kPiForward / 180;
    f.s = std::sin(f.b);
    f.s2 = f.s * f.s;
    f.c2 = 1 - f.s2;
    const double c = std::cos(f.b);
    f.Nc = c * dRa / std::sqrt(1 - dE1 * dE1 * f.s2);
    f.eta2 = dE2 * dE2 * f.c2;
    return f;
}

double GeomTransform::getGaussX(double L, double B) {
    const Forward f = forward(L, B);
    const double b = f.b;
    const double X0 = kArcA * b + std::sin(-2 * b) * kArcB + kArcC * std::sin(4 * b) +
                      std::sin(-6 * b) * kArcD + kArcE * std::sin(8 * b);
    const double l2 = f.l * f.l;
    const double c2 = f.c2;
    const double s2 = f.s2;
    const double bracket = (5 * c2 - s2) + (9 + 4 * f.eta2) * f.eta2 * c2 +
                           (61 * c2 * c2 - 58 * c2 * s2 + s2 * s2) * l2 / 30;
    gauss_X = X0 + 0.5 * f.Nc * f.s * l2 + (f.Nc * f.s * l2 * l2 / 24) * bracket;
    return gauss_X;
}

double GeomTransform::getGaussY(double L, double B) {
    const Forward f = forward(L, B);
    const double l = f.l;
    const double l2 = l * l;
    const double c2 = f.c2;
    const double s2 = f.s2;
    const double c4 = c2 * c2;
    const double bracket = (c2 - s2) + f.eta2 * c2 +
                           (5 * c4 - 18 * c2 * s2 + s2 * s2 + 14 * f.eta2 * c4 -
                            58 * f.eta2 * c2 * s2) * l2 / 20;
    gauss_Y = f.Nc * l + (f.Nc * l * l2 / 6) * bracket;
    return gauss_Y;
}

GeomTransform::Inverse GeomTransform::inverse(double x, double y) const {
    Inverse v;
    const double beta = x * kFootScale;
    v.Bf = beta + kFoot2 * std::sin(2 * beta) + kFoot4 * std::sin(4 * beta) +
           kFoot6 * std::sin(6 * beta) + kFoot8 * std::sin(8 * beta);
    v.sf = std::sin(v.Bf);
    v.cf = std::cos(v.Bf);
    v.atPole = v.cf + 1.0 == 1.0;
    if (v.atPole) return v;
    v.Nf = dRa / std::sqrt(1 - dE1 * dE1 * v.sf * v.sf);
    v.t = v.sf / v.cf;
    v.eta = std::sqrt(dE2 * dE2) * v.cf;
    v.q = y / v.Nf;
    return v;
}

double GeomTransform::getLong(double x, double y) {
    const Inverse v = inverse(x, y);
    if (v.atPole) {
        earth_Long = 0;
        return earth_Long;
    }
    const double t2 = v.t * v.t;
    const double eta2 = v.eta * v.eta;
    const double q2 = v.q * v.q;
    const double series = 1 - (1 + 2 * t2 + eta2) * q2 / 6 +
                          (5 + 28 * t2 + 24 * t2 * t2 + 6 * eta2 + 8 * eta2 * t2) * q2 * q2 / 120;
    earth_Long = (y / (v.Nf * v.cf)) * series * 180 / kPiInverse + center_L;
    return earth_Long;
}

double GeomTransform::getLat(double x, double y) {
    const Inverse v = inverse(x, y);
    if (v.atPole) {
        earth_Lat = v.sf + 1.0 > 1.0 ? 90.0 : -90.0;
        return earth_Lat;
    }
    const double t2 = v.t * v.t;
    const double eta2 = v.eta * v.eta;
    const double q2 = v.q * v.q;
    const double series = 1 - (5 + 3 * t2 + eta2 - 9 * eta2 * t2) * q2 / 12 +
                          (61 + 90 * t2 + 45 * t2 * t2) * q2 * q2 / 360;
    earth_Lat = (v.Bf - (v.t / 2) * (1 + eta2) * q2 * series) * 180 / kPiInverse;
    return earth_Lat;
}

double GeomTransform::getDistance(double lon1, double lat1, double lon2, double lat2) {
    setCenterL((lon1 + lon2) * 0.5);
    const double X1 = getGaussX(lon1, lat1);
    const double Y1 = getGaussY(lon1, lat1);
    const double X2 = getGaussX(lon2, lat2);
    const double Y2 = getGaussY(lon2, lat2);
    return std::sqrt((Y1 - Y2) * (Y1 - Y2) + (X1 - X2) * (X1 - X2));
}
