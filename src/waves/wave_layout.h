#pragma once

#include "drawing/surface.h"
#include "waves/wave_trace.h"

#include <vector>

namespace kymata::waves {

/// A marker of the wave view: a point on the axis and its name.
enum class Marker { Source, Focus, BestFocus, ParaxialFocus };

/// Where `marker` stands on the axis of `trace` (0 for a focus that `trace` has not).
double MarkerX(const WaveTrace& trace, Marker marker);

/// What the wave view shows where, in canvas units.
struct WaveViewLayout {
    /// The user box, fitted to the source (or the plane wave's start), the lens, F and the
    /// focus markers near enough, with the proportions of the target (width / height).
    UserBox box;
    /// The focus markers drawn in the figure, and those too far away to draw, which the
    /// figure names in words with their x.
    std::vector<Marker> drawn;
    std::vector<Marker> named;
    /// The source lies so far to the left that the box is fitted to the lens and the focus
    /// region instead; the figure shows the source at its left edge with an arrow and its
    /// distance in words. The rays and crests still start from the true source.
    bool sourceAtEdge = false;
};

/// A source (or a plane wave's start) farther from the lens than this many spans of the lens
/// region (front vertex to F, or two rim heights) leaves the figure to the lens.
inline constexpr double FarSourceSpans = 4;

/// Where the wave view of `trace` goes on a target of proportions `aspect` (width / height).
/// A focus marker is drawn when it lies no farther right of the lens than the source lies left
/// of F (at least four rim heights; with the source at the edge, `FarSourceSpans` lens spans);
/// one farther away is named instead.
WaveViewLayout LayOutWaveView(const WaveTrace& trace, double aspect);

} // namespace kymata::waves
