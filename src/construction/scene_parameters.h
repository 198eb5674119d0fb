#pragma once

#include "construction/scene.h"

#include <string>

namespace kymata {

// Passed by reference only: an edit of the controls rebuilds no file for this header.
struct Controls;
struct Labels;

/// The quantities of the spherical construction that each drawing derives afresh from the
/// scene and the controls (canvas units, x along the optical axis, light travelling to +x).
struct SphericalGeometry {
    /// The front-surface circle is centred at (`SurfaceCentreX`, 0).
    double SurfaceCentreX;
    /// Where the front surface crosses the axis.
    double FrontVertexX;
    /// `pachos` glass wavelengths: the lens thickness on the axis.
    double LensThickness;
    double BackVertexX;
    /// `fOCUS_POINT` air wavelengths: the focus lies that far behind the back vertex.
    double FocusDistance;
    double FocusX;
};

/// Rewrites the scene from the controls as every redraw does: `RefractiveIndex` = value / 100,
/// `Wavelength` = 5, `LensWavelength` = `Wavelength` / n, `FrontRadius` = 9 wavelengths,
/// `SourceX` = `initial_POINT` * `Wavelength`, `Pi` = 4 Atn(1).
void ReadScene(const Controls& controls, Scene& scene);

/// The derived quantities of the spherical construction for `scene` and `controls`.
SphericalGeometry DeriveSphericalGeometry(const Controls& controls, const Scene& scene);

/// Read-out of the refractive index: " n = " and n in plain form, in both languages.
std::string RefractiveIndexCaption(const Controls& controls);
/// Read-out of the thickness: the thickness in air units and the count of glass waves.
std::string ThicknessCaption(const Controls& controls, const Scene& scene);
/// Read-out of the source: its distance from the origin in air wavelengths.
std::string SourceCaption(const Controls& controls);
/// Read-out of the focus: its distance behind the back vertex in air wavelengths.
std::string FocusCaption(const Controls& controls);

/// All four read-outs as every redraw writes them (the hyperbolic drawings then replace
/// `Label1` and `Label4`).
Labels SceneLabels(const Controls& controls, const Scene& scene);

} // namespace kymata
