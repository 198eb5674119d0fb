#pragma once

#include "construction/controls.h"

class QWidget;

namespace kymata {

/// Gives every control of `window` and its canvas the accessible name and description of the
/// figure core for `controls`: the canvas tells what it shows now, then how to reach its menu.
void DescribeControls(QWidget& window, const Controls& controls);

} // namespace kymata
