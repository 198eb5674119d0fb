#pragma once

#include "construction/scene.h"
#include "drawing/surface.h"

namespace kymata {

// Passed by reference only: an edit of the controls rebuilds no file for this header.
struct Controls;
struct Labels;

/// The quantities of the hyperbolic lens for one drawing (canvas units; W = `Wavelength`,
/// LW = `LensWavelength`). The front surface is the right branch of a hyperbola centred at
/// (-2a, 0) whose eccentricity c / a is the refractive index; its vertex, the "hyperbolic top",
/// is (-a, 0).
struct HyperbolicGeometry {
    double a;  ///< 6 LW, the semi-axis along x
    double c;  ///< a n, centre to focus
    double b;  ///< Sqr(c^2 - a^2)
    double F;  ///< `fOCUS_POINT` W, the focus distance
    double AB; ///< `pachos` LW, the lens thickness
    double xB; ///< AB - a, the back point on the axis
    double xF; ///< F + AB - a, the focus point on the axis
    double XA; ///< source to vertex
    double N1; ///< whole wavelengths from the source to the vertex
    double s0; ///< vertex to the first wave tick inside the lens
};

/// The hyperbolic quantities; `sourceX` is the hyperbolic source position.
HyperbolicGeometry DeriveHyperbolicGeometry(const Controls& controls, const Scene& scene,
                                            double sourceX);

/// Draws the construction of the hyperbolic lens on `canvas`: clears it and sets the user box to
/// (-180, 180)-(180, -180); the axes, the front branch, the fan of 56 rays from the source
/// (`SourceX` = `initial_POINT` W - a, measured from the vertex) refracted at the front surface
/// with their wave ticks in air and in glass, the hyperbolas' outlines and foci, two rulers, the
/// marks, and four English lines of wavelength counts. Rewrites `Label1` and `Label4`.
/// `f_apeiro` is read and changes nothing.
void DrawHyperbolicConstruction(const Controls& controls, Scene& scene, Labels& labels,
                                Surface& canvas);

} // namespace kymata
