#pragma once

namespace kymata {

class DHMIOYRGO_KYKLO;

/// Start-up: creates the window, sizes it to the screen's available area, lays out the canvas
/// and the controls, shows it, sets `RefractiveIndex` and draws the first figure. The window
/// lives until `QApplication::exec` returns; the caller owns it.
DHMIOYRGO_KYKLO* Main();

} // namespace kymata
