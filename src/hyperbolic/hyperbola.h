#pragma once

#include "construction/ray_tables.h"

#include <functional>
#include <optional>
#include <vector>

namespace kymata {

class Surface;
struct Scene;

/// The square root of a radicand that is never negative but for rounding: such a radicand (down
/// to -1e-9) gives 0; a truly negative one gives no value.
std::optional<double> RoundedRoot(double radicand);

/// The abscissa X (centred on the hyperbola, X = x + 2a) at which the ray of slope m meets the
/// front surface, with d the offset of the ray's line along X (the callers pass SourceX - 2a):
/// with A = 1/a^2 - m^2/b^2 and B = m^2 d/b^2, X = (B + Sqr(A + d B)) / A. Only m^2 enters; m = 0
/// gives the vertex, X = a. A slope at or beyond the asymptotes (A <= 0) or a negative radicand
/// gives no point.
std::optional<double> HyperbolaRoot(double m, double d, double a, double b);

/// Refraction at the point (x, y) of the front surface, the right branch of
/// (x + 2a)^2/a^2 - y^2/b^2 = 1 (canvas coordinates, y up), of the ray from (`SourceX`, 0).
///
/// Draws the surface normal in green on `canvas`, 15 units to each side of the point; the unit
/// normal points to +x, into the glass. The incidence angle has the sine -Det2(d, n)/|d|, d the
/// incoming vector; Snell's law sin t1 = n sin t2 gives the refraction angle, and the incoming
/// vector turned by -(t1 - t2) is followed in steps of 0.001 of its length until x >= 0. An exit
/// found within 2000 steps, not within 0.01 of the origin, is recorded in `scene.hyperbola` as
/// the next record, and `HyperbolaState` and `HyperbolaRayCount` go one up; a point already at
/// x >= 0, a ray that gives up, or a full table records nothing.
void RefractAtHyperbola(double x, double y, double a, double b, Scene& scene, Surface& canvas);

/// The fan's angles in radians: from -0.25 v to 0.3 v in steps of v / 100, v = Atn(0.5) / 4,
/// the counter grown by repeated addition (56 angles).
std::vector<double> HyperbolicFanAngles();

/// Traces the fan of rays from the source (`scene.SourceX`, 0) at the front surface of the
/// hyperbola with semi-axes a and b, as the screen and the printed drawings both do.
///
/// An angle beyond Pi/2 - |Atn(a / SourceX)| is skipped. Before the first ray that is not,
/// `outlines` draws what each ray would otherwise draw again. For each ray, m = Tan(angle), the
/// surface point is X = `HyperbolaRoot`(m, SourceX - 2a, a, b), y = b Sqr(X^2/a^2 - 1) (positive
/// for m > 0, else negative), x = X - 2a; a ray that meets no surface point, or whose point is
/// not to the right of the source, is skipped. `RefractAtHyperbola` then draws the normal on
/// `canvas`; when it records the ray, `recorded`(x, y) draws the rest of it, and
/// `HyperbolaState` goes back to 0.
void TraceFan(Scene& scene, double a, double b, Surface& canvas,
              const std::function<void()>& outlines,
              const std::function<void(double x, double y)>& recorded);

} // namespace kymata
