#pragma once

#include "waves/optics.h"

#include <optional>
#include <vector>

namespace kymata {
// Passed by reference only: an edit of the controls rebuilds no file for this header.
struct Controls;
struct Labels;
} // namespace kymata

namespace kymata::waves {

/// The front surface of the lens in the wave view.
enum class LensShape {
    /// The drawn circle of the classic figure, the half facing the source.
    Sphere,
    /// The right branch of the hyperbola with eccentricity n that HYPERBOLA draws.
    Hyperbola,
    /// The perfect surface: every ray arrives at F with the axial count (the sphere's vertex,
    /// back plane, source and focus).
    Perfect,
};

/// The lens, the source and the focus of the wave view, read from the controls with the scene
/// quantities of the classic figures (canvas units; x along the axis, light travelling to +x).
///
/// The glass lies right of the front surface, left of the back plane x = `backX`, and within
/// |y| <= `rim`.
struct WaveLens {
    LensShape shape = LensShape::Sphere;
    /// n, the refractive index of the glass (air: 1).
    double index = 1;
    /// λ, one wavelength in air.
    double wavelength = 5;
    /// λ / n, one wavelength in the glass.
    double glassWavelength = 5;
    /// Sphere: the circle's centre (`SurfaceCentreX`, 0) and radius `FrontRadius`.
    double centreX = 0;
    double radius = 0;
    /// Hyperbola: ((x + 2a) / a)² - (y / b)² = 1 with a = 6 λ/n and b = a sqrt(n² - 1).
    double a = 0;
    double b = 0;
    /// Where the front surface crosses the axis.
    double frontVertexX = 0;
    /// B, the plane back face.
    double backX = 0;
    /// h, the height at which the glass ends: where the front surface meets the back plane, or
    /// the sphere's radius when the plane stands behind the centre.
    double rim = 0;
    /// A plane wave travelling +x whose count-0 crest is the plane x = `sourceX`, instead of a
    /// point source at (`sourceX`, 0).
    bool parallelBeam = false;
    double sourceX = 0;
    /// F = (`focusX`, 0), the classic focus mark: `fOCUS_POINT` air wavelengths behind B.
    double focusX = 0;
    /// Perfect: the surface sampled from -rim to rim (empty where none exists), and the height
    /// up to which the source sees it.
    std::vector<Vec2> surface;
    double perfectAperture = 0;
};

/// The wave view's lens for `controls`: the sphere, or the hyperbola when `YPERVOLIKO` is
/// checked, with the source (`initial_POINT` λ, less a for the hyperbola), the back face and the
/// focus of the classic figures; "Parallel BEAM" makes the source a plane wave. With
/// `perfectLens`, the perfect surface on the sphere's vertex, back plane and focus.
WaveLens DescribeWaveLens(const Controls& controls);

/// True when the source (or the plane wave's start plane) is not left of the front vertex: it
/// lies in or on the glass, and no ray is traced.
bool SourceInGlass(const WaveLens& lens);

/// The x of the front surface at height y (|y| <= rim): sphere x = centreX - sqrt(R² - y²),
/// hyperbola x = -2a + a sqrt(1 + (y / b)²), the perfect surface solved for at that height.
double FrontX(const WaveLens& lens, double y);

/// The unit normal of the front surface at its point p, pointing into the glass: sphere along
/// C - p, hyperbola along the gradient of ((x + 2a) / a)² - (y / b)², (2 (x + 2a) / a², -2y / b²),
/// the perfect surface along the gradient of its defining count (`PerfectSurfaceNormal`).
Vec2 FrontNormal(const WaveLens& lens, Vec2 p);

/// H, the height within which the fan enters: the smaller of the rim and the greatest height of
/// the front surface that the source sees directly, its tangent point from the source (sphere:
/// R sqrt(1 - (R / D)²), D = centreX - sourceX; hyperbola, when 0 < s = sourceX + 2a < a:
/// b sqrt((a / s)² - 1)). The plane wave sees the whole front: H = rim.
double ApertureHeight(const WaveLens& lens);

/// **Front focal distance** of the front surface, in canvas units from its vertex towards the
/// source: f = R_v / (n - 1), from the paraxial law of a refracting surface
/// 1/s + n/s' = (n - 1)/R_v with s' at infinity. R_v is the radius of curvature at the vertex:
/// R for the sphere, b²/a for the hyperbola (whose far focus lies exactly there, f = a (n + 1)).
/// A point source nearer than f leaves the surface still spreading, and the plane back face
/// cannot make it converge: no focus behind the lens. Empty for the perfect surface, which is
/// made for its own source and F.
std::optional<double> FrontFocalDistance(const WaveLens& lens);

/// Where a ray inside the glass, from the front-surface point p along the unit direction d,
/// leaves the glass: through the back plane (`backFace`), or through the front surface or the
/// rim before it.
struct GlassExit {
    Vec2 point;
    bool backFace = false;
};
GlassExit LeaveGlass(const WaveLens& lens, Vec2 p, Vec2 d);

} // namespace kymata::waves
