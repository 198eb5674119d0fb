#pragma once

#include "construction/probe.h"
#include "construction/ray_tables.h"

namespace kymata {

/// The scene quantities that every redraw rewrites from the controls and that the helpers and
/// drawings share, with the ray tables of the hyperbolic lens. Lengths are in canvas units; one air
/// wavelength is 5 of them.
struct Scene {
    double Pi = 0;
    int Wavelength = 0;
    /// n, from 1.05 to 2.50.
    double RefractiveIndex = 0;
    /// `Wavelength` / `RefractiveIndex`: the wavelength inside the glass.
    double LensWavelength = 0;
    /// x of the point source on the axis. The spherical redraw sets it to
    /// `initial_POINT` * `Wavelength`; the hyperbolic drawings store their own position.
    double SourceX = 0;
    /// Radius of the circle that forms the lens front surface.
    int FrontRadius = 0;
    /// The hyperbolic lens's ray tables.
    HyperbolaTables hyperbola;
    /// When set, told about every refraction, wave tick and exit (not owned).
    ConstructionProbe* probe = nullptr;
};

} // namespace kymata
