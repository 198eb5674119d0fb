#pragma once

#include "construction/controls.h"
#include "drawing/surface.h"
#include "waves/wave_ledger.h"
#include "waves/wave_trace.h"

#include <optional>
#include <vector>

namespace kymata::waves {

/// The size of every text the wave view draws, in points on the 1000-pixel reference canvas.
inline constexpr double WaveTextPoints = 14;

/// A marker of the wave view: a point on the axis and its name.
enum class Marker { Source, Focus, BestFocus, ParaxialFocus };

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

/// One ray's path, straight piece by piece, with the running count of waves along it.
struct PathPiece {
    Vec2 from;
    Vec2 to;
    /// The count of waves at `from`, in air wavelengths.
    double count = 0;
    /// The wavelength along this piece: λ in air, λ / n in glass.
    double wavelength = 0;
    /// |to - from|.
    double length = 0;
    /// The count of waves at `to`.
    double endCount = 0;

    PathPiece(Vec2 start, Vec2 end, double startCount, double pieceWavelength)
        : from(start), to(end), count(startCount), wavelength(pieceWavelength),
          length(Distance(start, end)), endCount(startCount + length / pieceWavelength) {}
    double EndCount() const { return endCount; }
    /// The point of the piece at the running count `c`, `count` <= c <= `EndCount`().
    Vec2 At(double c) const {
        return length > 0 ? from + ((c - count) * wavelength / length) * (to - from) : from;
    }
};

/// The path of `ray` from its start to where it ends: the glass end for `Tir` and `Missed`,
/// the edge of `box` for `Through`.
std::vector<PathPiece> RayPath(const TracedRay& ray, const WaveLens& lens, const UserBox& box);

/// The point of `path` at which the running count reaches `count`, if the path reaches it.
std::optional<Vec2> PointAtCount(const std::vector<PathPiece>& path, double count);

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

/// The greatest running count that any ray of `trace` reaches in its box (for a square target):
/// where a flash has left the figure.
double MostCount(const WaveTrace& trace);

/// Draws the wave view of `trace` on `surface`: the box of `LayOutWaveView` for `aspect`, the
/// glass hatched and outlined, every ray from its start through the lens to the box edge
/// (dimmed where it is held or lost in the glass), the wavefronts joining the points of equal
/// whole count on neighbouring rays (every fifth thicker), the markers of the source, F and
/// the foci, and the ledger's summary in the corner, in the language of `language`.
void DrawWaveView(const WaveTrace& trace, std::string_view language, Surface& surface,
                  double aspect = 1, const CrestOptions& crests = {});

} // namespace kymata::waves
