#pragma once

#include "drawing/vec2.h"
#include "waves/portable_math.h"

#include <cmath>
#include <optional>

namespace kymata::waves {

/// The wave view's points and vectors are the core's, in canvas units.
using kymata::Vec2;

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
