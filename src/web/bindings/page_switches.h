// The page's controls as the web module's entry points take them: four scroll-bar values and
// one number of switches, with the language's and the view's places in the core's lists packed
// above the switches' bits.
#pragma once

#include "construction/controls.h"

#include <string>

namespace kymata::web {

/// The switches of the page, one bit each, as the page packs them; above them, from bit
/// `LanguageShift` on, the language's place in the list of `kymata_languages` (0, Greek), and
/// from bit `ViewShift` on the view's place in the list of `kymata_views` (0, classic).
enum Switch : unsigned {
    Hyperbola = 1,
    ParallelBeam = 2,
    PerfectLens = 16,
    Worksheet = 32,
};
inline constexpr unsigned LanguageShift = 8;
inline constexpr unsigned ViewShift = 16;

/// The core's tables as the page reads them, so that it copies no rule, bit or place by hand:
/// {"views": [{"name": "classic", "tracesWaves": false, ...}, ...], "waveSwitchView": "waves",
///  "switches": {"hyperbola": 1, ...}, "languageShift": 8, "viewShift": 16,
///  "loadFailed": {"el": "...", ...}}. `loadFailed` is the sentence, in every language, that
/// the page shows when the browser cannot load the module itself; the build writes the whole
/// object into the page's kymata-tables.js for that reason.
std::string TablesJson();

/// The language at `place` in the list of the catalogues; Greek for a place beyond it.
std::string LanguageAt(unsigned place);

/// `switches` naming the first view that the wave tracer draws, in place of the one they name:
/// the ledger and the moving layer are the wave view's whatever view is shown.
unsigned InWaveView(unsigned switches);

/// The controls from the page's numbers. A NaN `phase` or `flash` means none; the wave view's
/// options are dropped in a view without waves, as the window drops them.
Controls ControlsOf(int source, int focus, int index, int thickness, unsigned switches,
                    double phase, double flash);

/// True when the controls are within the ranges of the window's scroll bars: the page never
/// asks for another figure, and a call that does gets an error object instead.
bool InRange(const Controls& c);

} // namespace kymata::web
