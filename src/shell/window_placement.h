#pragma once

#include "construction/scene.h"
#include "shell/window_layout.h"

class QWidget;

namespace kymata {

/// The size hints of `window`'s controls in its current language and type, found by their
/// object names, and its read-outs at their widest in every language, so that the layout does
/// not follow the values.
ControlSizes MeasureControls(const QWidget& window, const Scene& scene);

/// Measures the controls of `window`, fits them to its size at `dpi` and places them (the
/// canvas, the panels and every control by its object name). Returns the layout.
WindowLayout PlaceControls(QWidget& window, const Scene& scene, double dpi, bool waves, bool lesson,
                           bool presentation);

} // namespace kymata
