#pragma once

#include "construction/scene.h"

#include <optional>

namespace kymata {

/// A ray direction as `RefractAtSphere` returns it: two single-precision components whose
/// length is the source-to-point distance, not 1.
struct RayDirection {
    float DirX = 0;
    float DirY = 0;
};

/// The determinant of the rows (a, b) and (c, d): a*d - b*c.
double Det2(double a, double b, double c, double d);

/// Arcsine in radians for -1 <= x < 1; empty for x >= 1 (a grazing ray) and below -1.
/// At exactly -1 the result is -pi/2, which rounding reaches for rays that graze a circle
/// below the axis.
std::optional<double> ArcSin(double x);

/// Arcsine in radians for -1 <= x <= 1, empty otherwise. Refreshes `scene.Pi` for every
/// x <= 1 (also below -1), never for x > 1.
std::optional<double> SafeArcSin(double x, Scene& scene);

/// Euclidean distance of (x1, y1) and (x2, y2).
double Distance(double x1, double y1, double x2, double y2);

/// A vector refracted by Snell's law, and whether its incidence angle was defined.
struct Refracted {
    double x;
    double y;
    bool refracted;
};

/// Snell's law from air into glass of index n for the vector (ax, ay) whose signed incidence
/// angle has the sine s1: t1 = `ArcSin`(s1), t2 = `ArcSin`(Sin(t1) / n), so sin t1 = n sin t2,
/// and the vector is turned by -(t1 - t2), clockwise for a positive deviation (y up). Its length
/// is kept. An empty arcsine counts as 0: a grazing ray (s1 >= 1) passes unturned, with
/// `refracted` false.
Refracted TurnBySnell(double ax, double ay, double s1, double n);

/// Refraction from air into glass (index `scene.RefractiveIndex`) of the ray from the source
/// (`scene.SourceX`, 0) at the surface point (x, y), the surface normal taken along the radius
/// from the origin to (x, y).
///
/// The incidence angle t1 is the signed angle whose sine is Det2(a, p) / (|a| |p|), a the
/// incoming vector and p = (x, y); Snell's law gives sin t1 = n sin t2, and the incoming vector
/// is turned by -(t1 - t2), which is clockwise (towards the axis) for a ray above the axis.
/// An empty arcsine counts as 0, so a grazing ray passes unturned. A point at the origin or at
/// the source has no incidence angle: the incoming vector comes back unturned (at the source it
/// is the zero vector, and the caller chooses the ray's direction).
RayDirection RefractAtSphere(double x, double y, const Scene& scene);

} // namespace kymata
