#pragma once

#include "waves/portable_math.h"

#include <cmath>
#include <optional>

namespace kymata::waves {

/// A point or a vector of the wave view, in canvas units: x along the optical axis (light
/// travels to +x), y up.
struct Vec2 {
    double x = 0;
    double y = 0;

    friend Vec2 operator+(Vec2 p, Vec2 q) { return {p.x + q.x, p.y + q.y}; }
    friend Vec2 operator-(Vec2 p, Vec2 q) { return {p.x - q.x, p.y - q.y}; }
    friend Vec2 operator*(double s, Vec2 p) { return {s * p.x, s * p.y}; }
    friend bool operator==(Vec2, Vec2) = default;
};

inline double Dot(Vec2 p, Vec2 q) {
    return p.x * q.x + p.y * q.y;
}

/// The z component of the cross product p × q: positive when q is turned counter-clockwise from
/// p (y up).
inline double Cross(Vec2 p, Vec2 q) {
    return p.x * q.y - p.y * q.x;
}

inline double Length(Vec2 p) {
    return PortableHypot(p.x, p.y);
}

/// The distance of two points.
inline double Distance(Vec2 p, Vec2 q) {
    return Length(q - p);
}

/// p scaled to length 1; the zero vector stays zero.
inline Vec2 Unit(Vec2 p) {
    const double length = Length(p);
    return length > 0 ? (1 / length) * p : p;
}

/// **Snell's law** in vector form: the unit direction after refraction of the unit direction `d`
/// at a surface whose unit normal `normal` points into the medium being entered (so that
/// Dot(d, normal) > 0), from index `n1` into index `n2`.
///
/// With cos i = Dot(d, normal) the cosine of the incidence angle and r = n1 / n2, the refracted
/// direction is t = r d + (cos t - r cos i) normal, cos t = sqrt(1 - r² (1 - cos² i)); it lies
/// in the plane of d and the normal, on the far side of the normal, with n1 sin i = n2 sin t.
/// Empty where 1 - r² (1 - cos² i) < 0: total internal reflection, no refracted ray.
std::optional<Vec2> Refract(Vec2 d, Vec2 normal, double n1, double n2);

} // namespace kymata::waves
