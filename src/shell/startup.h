#pragma once

#include "construction/controls.h"

#include <optional>

namespace kymata {

class DHMIOYRGO_KYKLO;

/// Start-up: creates the window with its controls set to `start` (the design values by
/// default; the view, language, switches and the four scroll bars), maximises it on the screen,
/// lays out the canvas and the controls, shows it, sets `RefractiveIndex` and draws the first
/// figure; with `lessonStep`, the lesson open at that step. The window lives until
/// `QApplication::exec` returns; the caller owns it.
DHMIOYRGO_KYKLO* Main(const Controls& start = {}, std::optional<int> lessonStep = {});

} // namespace kymata
