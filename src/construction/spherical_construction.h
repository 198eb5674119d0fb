#pragma once

#include "construction/scene.h"
#include "drawing/surface.h"

namespace kymata {

// Passed by reference only: an edit of the controls rebuilds no file for this header.
struct Controls;
struct Labels;

/// The first steps of every redraw, whichever construction follows: clears the canvas, rewrites
/// `scene` and the four read-outs in `labels` from `controls`, and sets the canvas's user box to
/// (-120, 120)-(120, -120) (origin in the centre, x along the optical axis with light travelling
/// to +x, y up).
void BeginRedraw(const Controls& controls, Scene& scene, Labels& labels, Surface& canvas);

/// The spherical figure alone, on a surface whose user box is set, from a scene already read
/// from the controls: the common marks, the half-circle front surface, the rays at 10-degree
/// steps refracted by `RefractAtSphere`, the whole air wavelengths ticked along each ray and the
/// glass wavelengths inside, the "#L = " path-length labels, the rulers, the wavefronts joining
/// equal wave numbers of neighbouring rays, and the running wave count along the axis. The
/// redraw and the spherical print job both draw it.
void DrawSphericalFigure(const Controls& controls, Scene& scene, Surface& surface);

} // namespace kymata
