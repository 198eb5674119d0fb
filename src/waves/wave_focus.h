#pragma once

#include "waves/wave_trace.h"

#include <optional>
#include <vector>

namespace kymata::waves {

/// How well the counts of the rays that get through agree at one axis point.
struct Agreement {
    /// sqrt(mean(OPD²)) and max |OPD|, OPD = W_k - W_0 in waves.
    double rmsOpd = 0;
    double maxOpd = 0;
    /// `PhasorAgreement` of the counts.
    double inStep = 0;
    /// The latest less the earliest count, in waves.
    double arrivalSpread = 0;
};

/// **Agreement of phases**: |Σ_k exp(2πi W_k)| / N for the counts W_k in waves, the length of
/// the mean phasor of the waves arriving at one point. 1 when all arrive in step (counts that
/// differ by whole waves included), 0 when they cancel. Empty `counts` give 1.
double PhasorAgreement(const std::vector<double>& counts);

/// **Half-width of a perfect focus's spot** (diffraction): a wave converging on a point a
/// distance z behind an opening of half-width a, every part of it arriving in step, makes there
/// a bright line whose first dark fringe lies λ z / (2a) to either side (Fraunhofer: the
/// opening 2a sends a plane wave tilted by the angle λ / 2a into its first zero). Lengths in
/// any one unit; z, a > 0. It holds for z well beyond a; at wider angles the spot is somewhat
/// wider still, never narrower (a Huygens sum puts the first zero between λz/2a and
/// λ√(z² + a²)/2a, e.g. 0.61 for a = 4.97, z = 5, against 0.50 and 0.71), so the texts say
/// "about λz/2a" and the small-angle form is kept as the lower bound: a spot that is as wide
/// as the opening by it is at least as wide in truth. A spot as wide as the opening itself
/// means that nothing is concentrated at that point, however well the counts agree.
double PerfectSpotHalfWidth(double wavelength, double distance, double halfWidth);

/// **A best focus that is no focus**: true when `trace` has a best focus and a perfect focus
/// there, from the light leaving through ±a (`WaveTrace::exitHalfWidth`), would be as wide as
/// that light: `PerfectSpotHalfWidth` at the best focus ≥ a, i.e. a Fresnel number a²/(λz) of
/// ½ or less. The counts agree best there, but nothing is concentrated there.
bool BestFocusIsNoFocus(const WaveTrace& trace);

/// The paraxial ray of `trace`: the ray entering at 10⁻⁴ of the aperture, whose axis crossing
/// behind the lens is the paraxial focus.
TracedRay ParaxialRay(const WaveTrace& trace);

/// True when the paraxial ray enters on one side of the axis and leaves the glass on the other:
/// the rays near the axis cross inside the glass and spread again behind it.
bool ParaxialRaysCrossInGlass(const WaveTrace& trace);

/// The agreement of the counts `totals` with the axial count `axial`. Empty `totals` agree
/// perfectly.
Agreement Agree(const std::vector<double>& totals, double axial);

/// **Wavefront error at an axis point**: the rms of the counts W_k(x) about their mean, in
/// waves, over the drawn rays that get through, the part after the lens measured straight from
/// each exit point X_k to the axis point (x, 0): W_k(x) = A_k + G_k + |X_k (x, 0)| / λ. A common
/// delay of every ray (piston) changes nothing; this is what the best focus minimises.
double RmsAboutMeanAt(const WaveTrace& trace, double x);

/// The counts at F of the dense fan's rays that get through (`DenseFanHalf`), traced exactly
/// like the drawn rays; empty where the trace has no aperture.
std::vector<double> DenseFanCounts(const WaveTrace& trace);

/// The scan of the best-focus search: distances behind B, every `BestFocusFineStep` up to
/// `BestFocusFineRange` (where the foci of these lenses lie), every `BestFocusCoarseStep` on to
/// `BestFocusRange`.
inline constexpr double BestFocusFineStep = 2;
inline constexpr double BestFocusFineRange = 300;
inline constexpr double BestFocusCoarseStep = 10;
std::vector<double> BestFocusSamples();

/// The x in (B, B + `BestFocusRange`] with the least `RmsAboutMeanAt`, to `BestFocusPrecision`: the
/// scan of `BestFocusSamples` finds the lowest sample, and a golden-section search refines it
/// between its neighbours. Empty when the lowest sample is the end of the range (the lens does
/// not bring these rays together there) or fewer than two rays get through.
std::optional<double> BestFocus(const WaveTrace& trace);

/// The target point's bar value nearest the best focus: the whole number of wavelengths behind
/// the back face closest to it, within the bar's range 1..50, and whether the range cut it
/// (`beyond`: the best focus in wavelengths behind the lens, as it is).
struct FocusBarChoice {
    int bar = 0;
    bool clamped = false;
    double behind = 0;
    /// `BestFocusIsNoFocus`: the counts agree best there, but nothing is concentrated there.
    bool noFocus = false;
};

/// The choice for the lens of `controls` (whatever its view: the lens is the same), empty where
/// there is no best focus or the lens is the perfect one, which is made for its F.
std::optional<FocusBarChoice> FocusBarNearBestFocus(const Controls& controls);

/// Fills the fan's OPDs and axis crossings and the summary of `trace`: W_0, the agreement at F
/// of the drawn rays and of the dense fan, the brightness and the spread of arrival at F, the
/// best and the paraxial focus and the spread of the axis crossings.
void Summarise(WaveTrace& trace);

} // namespace kymata::waves
