#pragma once

#include "construction/controls.h"
#include "construction/scene.h"
#include "drawing/surface.h"

namespace kymata {

/// Redraws the whole classic figure on `canvas` from `controls`, as every control event does:
/// `BeginRedraw` (the canvas cleared and boxed, the scene and read-outs rewritten), then the
/// hyperbolic construction when `YPERVOLIKO` is checked, the spherical figure otherwise.
void DrawConstruction(const Controls& controls, Scene& scene, Labels& labels, Surface& canvas);

} // namespace kymata
