#pragma once

#include "construction/scene.h"
#include "drawing/surface.h"
#include "waves/wave_trace.h"

#include <optional>

namespace kymata {

// Passed by reference only: an edit of the controls rebuilds no file for this header.
struct Controls;
struct Labels;

/// Redraws the whole classic figure on `canvas` from `controls`, as every control event does:
/// `BeginRedraw` (the canvas cleared and boxed, the scene and read-outs rewritten), then the
/// hyperbolic construction when `YPERVOLIKO` is checked, the spherical figure otherwise.
void DrawConstruction(const Controls& controls, Scene& scene, Labels& labels, Surface& canvas);

/// Redraws the figure that `controls.view` selects on `canvas`: the classic construction, or the
/// wave view after `BeginRedraw` (which writes the four read-outs as for the classic figure).
/// Returns the wave view's optics when it drew it.
std::optional<waves::WaveTrace> DrawFigure(const Controls& controls, Scene& scene, Labels& labels,
                                           Surface& canvas);

/// The four read-outs that a redraw with `controls` would write, leaving `scene` and every
/// figure as they are: what a read-out shows while a scroll bar's thumb is dragged and the
/// figure waits for the release.
Labels ReadoutsFor(const Controls& controls, const Scene& scene);

} // namespace kymata
