#pragma once

#include "drawing/surface.h"
#include "waves/wave_paths.h"

#include <optional>
#include <vector>

namespace kymata {
// Passed by reference only: an edit of the controls rebuilds no file for this header.
struct Controls;
struct Labels;
} // namespace kymata

namespace kymata::waves {

/// Which crests of the waves the wave view draws.
struct CrestOptions {
    /// The crests at running count m + `phase` for every whole m (0 <= phase < 1): phase 0 is
    /// the still view, and a phase growing by one a period moves every crest one wavelength on,
    /// λ in air and λ / n in glass.
    double phase = 0;
    /// Instead, only the crest of one flash, at this running count on every ray.
    std::optional<double> flash;
    /// What of the view to draw: all of it, all but the crests, or the crests alone (the still
    /// part and the moving part of an animation).
    enum class Layer { Whole, WithoutCrests, CrestsOnly } layer = Layer::Whole;
};

/// The crests that `controls` ask for: their phase and flash.
CrestOptions CrestsOf(const Controls& controls);

/// Draws the rays of `trace` along their `paths`: red, dotted grey where held or lost in the
/// glass, and after the lens in the style of their phase class at F.
void DrawRays(const WaveTrace& trace, const std::vector<std::vector<PathPiece>>& paths, Surface& s);

/// Draws the crests that `crests` ask for: each joins the points of one running count on
/// neighbouring rays, within `tolerance` of them (every fifth whole count thicker; a flash's
/// one crest thickest).
void DrawWavefronts(const std::vector<std::vector<PathPiece>>& paths, double tolerance,
                    const CrestOptions& crests, Surface& s);

} // namespace kymata::waves
