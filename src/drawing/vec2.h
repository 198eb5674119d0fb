#pragma once

namespace kymata {

/// A point or a vector of a figure, in its user units: x along the optical axis (light travels
/// to +x), y up. The one 2-D vector type of the figure core.
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

} // namespace kymata
