#pragma once

#include "waves/optics.h"

#include <optional>
#include <vector>

namespace kymata::waves {

struct WaveLens;

/// The counts that define the perfect front surface: from the source to a point P, and the
/// least count from P through the back plane x = B to F (canvas units; counts in air
/// wavelengths λ, a glass wavelength being λ / n).
///
/// The least count over the points X = (B, t) of the plane is Fermat's path: where it is least,
/// the light refracts at X by Snell's law towards F.
struct PerfectCounts {
    /// A(P) = |S P| / λ, or (P.x - sourceX) / λ for the plane wave.
    static double FromSource(const WaveLens& lens, Vec2 p);
    /// Q(P) = min over t of |P (B, t)| / (λ / n) + |(B, t) F| / λ, and the t where it is least.
    struct ThroughPlane {
        double count;
        double exitY;
    };
    static ThroughPlane ToFocus(const WaveLens& lens, Vec2 p);
    /// W_0, the count of the axial ray: vertex, glass to B, air to F.
    static double Axial(const WaveLens& lens);
};

/// The x of the perfect surface at height y: the point P = (x, y) left of the back plane where
/// A(P) + Q(P) = W_0, found by bracketing and Newton's method from `guess` (the x of a nearby
/// height). Empty where no such point lies between the source and the back plane.
std::optional<double> PerfectSurfaceX(const WaveLens& lens, double y, double guess);

/// **Normal of the perfect surface** at its point p, a unit vector pointing into the glass.
/// The surface is the level set G(P) = A(P) + Q(P) - W_0 = 0, so its normal lies along the
/// gradient of G: ∂G/∂x = ∂A/∂x - n (B - x) / (λ r1) and ∂G/∂y = ∂A/∂y + n (y - t) / (λ r1),
/// r1 = |P (B, t)| at the least t (the envelope theorem: Q's own dependence through t
/// vanishes there), ∂A/∂x = (x - x_S) / (λ r), ∂A/∂y = y / (λ r) for a point source and (1/λ, 0)
/// for the plane wave. G falls from the source towards the glass, so the normal is -∇G / |∇G|.
Vec2 PerfectSurfaceNormal(const WaveLens& lens, Vec2 p);

/// The perfect surface of `lens` (whose `frontVertexX`, `backX`, source, index and focus are
/// set): where it meets the back plane (its rim), the aperture H within which the source sees
/// every point of it (the height of its tangent point from the source, to 1e-12 of it, where
/// the line from the source runs along the surface: (P - S) × (dx/dy, 1) = 0), and the surface
/// itself sampled from -rim to rim. Empty where no such
/// surface exists for the settings.
struct PerfectShape {
    double rim = 0;
    double aperture = 0;
    /// 97 points from (x(-rim), -rim) to (x(rim), rim).
    std::vector<Vec2> points;
};
std::optional<PerfectShape> FindPerfectSurface(const WaveLens& lens);

} // namespace kymata::waves
