#pragma once

#include "waves/optics.h"
#include "waves/wave_lens.h"

#include <optional>
#include <vector>

namespace kymata {
// Passed by reference only: an edit of the controls rebuilds no file for this header.
struct Controls;
struct Labels;
} // namespace kymata

namespace kymata::waves {

/// How a ray of the fan ends.
enum class RayFate {
    /// Out of the back face into the air.
    Through,
    /// Held in the glass by total internal reflection at the back face.
    Tir,
    /// Out of the glass through the front surface or the rim before it reaches the back face.
    Missed,
};

/// One ray of the wave view, traced exactly, with its counts of wavelengths. Counts are in air
/// wavelengths λ: a length l in air counts l / λ, in glass l / (λ / n) = n l / λ.
struct TracedRay {
    /// y_k, the height at which it enters the front surface.
    double height = 0;
    /// Where it starts: the source, or the plane wave's start plane at its height.
    Vec2 start;
    /// E, its entry point on the front surface.
    Vec2 entry;
    /// Its unit direction in the glass.
    Vec2 inGlass;
    /// X, where it meets the back face (`Through` and `Tir`); empty for `Missed`.
    std::optional<Vec2> exit;
    /// Where it leaves the glass, or stays in it (`Tir`): X, or the point on the front surface
    /// or rim for `Missed`.
    Vec2 glassEnd;
    /// Its unit direction in the air behind the lens (`Through` only).
    std::optional<Vec2> inAir;
    RayFate fate = RayFate::Through;

    /// A, the count in air from the start to E: |S E| / λ, or (E.x - sourceX) / λ for the
    /// plane wave.
    double air = 0;
    /// G, the count in the glass from E to X: |E X| / (λ / n) (`Through` and `Tir`).
    std::optional<double> glass;
    /// T, the count straight from X to F: |X F| / λ, with which this ray's wave arrives at F
    /// (`Through`).
    std::optional<double> after;
    /// W = A + G + T (`Through`).
    std::optional<double> total;
    /// OPD = W - W_0, the path difference from the axial ray in waves (`Through`).
    std::optional<double> opd;
    /// Where its air ray behind the lens crosses the axis, when it converges to it (`Through`).
    std::optional<double> crossing;
};

/// The whole wave view's optics for one setting of the controls.
struct WaveTrace {
    WaveLens lens;
    /// The source lies in or on the glass: no ray is traced and the summary is empty.
    bool sourceInGlass = false;
    /// The perfect lens was asked for and no such surface exists for the settings: no ray is
    /// traced and the summary is empty.
    bool noPerfectSurface = false;
    /// The perfect lens: the largest distance along the axis between it and the sphere of the
    /// same vertex, in glass wavelengths.
    std::optional<double> sphereGap;
    /// H, the fan's aperture (empty with the source in the glass).
    std::optional<double> aperture;
    /// The 25 rays k = -12..12, aimed at heights y_k = 0.95 H k / 12, in k order.
    std::vector<TracedRay> rays;
    /// W_0, the count of the axial ray.
    std::optional<double> axialCount;
    /// The root mean square and the largest of |OPD| over the rays that get through.
    std::optional<double> rmsOpd;
    std::optional<double> maxOpd;
    /// |Σ exp(2πi W_k)| / N over the drawn rays that get through: how well these 25 sample
    /// crests line up at F. It ignores whole waves and, once the counts differ by more than
    /// about a wave, 25 samples overstate it; `inStepAll` is the converged value.
    std::optional<double> inStep;
    /// |Σ_j exp(2πi W_j)| / N over the dense fan's rays that get through (`DenseFanHalf`): 1
    /// when every wave through the aperture arrives at F in step; empty when none gets through.
    std::optional<double> inStepAll;
    /// `inStepAll`², the intensity at F relative to every wave arriving there in step (the
    /// figure is a section, so the pupil is one-dimensional).
    std::optional<double> brightness;
    /// The latest less the earliest count at F over the drawn rays that get through, in waves:
    /// how many periods a flash's crest takes to arrive there in full.
    std::optional<double> arrivalSpread;
    /// The x > B, within (B, B + 2000], at which the rms of the counts about their mean is
    /// least when the counts after the lens are measured to (x, 0); empty when the least lies at
    /// the end of that range.
    std::optional<double> bestFocus;
    /// Where a ray entering at 10⁻⁴ H crosses the axis.
    std::optional<double> paraxialFocus;
    /// The greatest less the least axis crossing, over the rays that have one (two at least).
    std::optional<double> crossingSpread;
    /// a, the half-width of the light leaving the lens: the largest |exit height| of the drawn
    /// rays that get through (the dense fan spans the same heights).
    std::optional<double> exitHalfWidth;
    /// `PerfectSpotHalfWidth` for this opening and F: how narrow a perfect focus at F could be.
    std::optional<double> perfectSpot;
};

/// The largest |OPD| in waves that the perfect surface may leave: beyond it, the settings have
/// no perfect surface worth the name and none is drawn.
inline constexpr double PerfectOpdLimit = 1e-6;

/// The largest distance along the axis, in glass wavelengths, between the perfect surface of
/// `lens` and the sphere of the classic figure with the same vertex (radius 9 λ), where both
/// exist.
double PerfectGapFromSphere(const WaveLens& lens);

/// The number of rays in the fan, and the largest |k|.
inline constexpr int FanRays = 25;
inline constexpr int FanHalf = 12;
/// The dense fan that the converged agreement at F sums over: 2001 rays aimed at the heights
/// 0.95 H j / 1000, j = -1000..1000, the drawn fan's aperture.
inline constexpr int DenseFanHalf = 1000;
/// The range behind the back face in which the best focus is sought, and its precision.
inline constexpr double BestFocusRange = 2000;
inline constexpr double BestFocusPrecision = 1e-3;

/// Traces one ray entering the front surface at height `height`: straight from the source to
/// E (or along y = height for the plane wave), refracted by Snell's law with the true surface
/// normal, straight through the glass to the back face, and refracted there into the air
/// (normal along x). Counts A, G, T and W as `TracedRay` says; OPD and crossing are left for
/// the fan.
TracedRay TraceRay(const WaveLens& lens, double height);

/// The count of a traced ray that gets through, with the part after the lens measured straight
/// from X to the axis point (x, 0) instead of F.
double CountTo(const TracedRay& ray, const WaveLens& lens, double x);

/// The sine of the angle to the axis below which an air ray counts as parallel to it: rounding
/// alone tilts a ray that the optics makes exactly parallel by about 10⁻¹⁶, which would put its
/// crossing absurdly far away.
inline constexpr double ParallelSlope = 1e-9;

/// Where the air ray of a traced ray crosses the axis, when it heads towards it (and is not
/// parallel to it).
std::optional<double> AxisCrossing(const TracedRay& ray);

/// Traces the wave view for `controls`: the fan, the counts, how well they agree, and where
/// the rays really focus.
WaveTrace TraceWaves(const Controls& controls);

} // namespace kymata::waves
