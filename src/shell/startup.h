#pragma once

namespace kymata {

class DHMIOYRGO_KYKLO;

/// Start-up: creates the window, sizes it to the screen's available area, lays out the canvas
/// and the controls, shows it, sets `RefractiveIndex` and draws the first figure, in the wave
/// view when `waves`. The window lives until `QApplication::exec` returns; the caller owns it.
DHMIOYRGO_KYKLO* Main(bool waves = false);

} // namespace kymata
