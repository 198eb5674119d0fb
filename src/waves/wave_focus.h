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
    /// |Σ exp(2πi W_k)| / N: the length of the mean phasor of the arriving waves, 1 when all
    /// arrive in step.
    double inStep = 0;
};

/// The agreement of the counts `totals` with the axial count `axial`. Empty `totals` agree
/// perfectly.
Agreement Agree(const std::vector<double>& totals, double axial);

/// The rms OPD of the rays that get through when the part after the lens is measured straight
/// from each exit point to the axis point (x, 0): the quantity the best focus minimises.
double RmsOpdAt(const WaveTrace& trace, double x);

/// The scan of the best-focus search: distances behind B, every `BestFocusFineStep` up to
/// `BestFocusFineRange` (where the foci of these lenses lie), every `BestFocusCoarseStep` on to
/// `BestFocusRange`.
inline constexpr double BestFocusFineStep = 2;
inline constexpr double BestFocusFineRange = 300;
inline constexpr double BestFocusCoarseStep = 10;
std::vector<double> BestFocusSamples();

/// The x in (B, B + `BestFocusRange`] with the least `RmsOpdAt`, to `BestFocusPrecision`: the
/// scan of `BestFocusSamples` finds the lowest sample, and a golden-section search refines it
/// between its neighbours. Empty when the lowest sample is the end of the range (the lens does
/// not bring these rays together there) or fewer than two rays get through.
std::optional<double> BestFocus(const WaveTrace& trace);

/// Fills the fan's OPDs and axis crossings and the summary of `trace`: W_0, the agreement at F,
/// the best and the paraxial focus and the spread of the axis crossings.
void Summarise(WaveTrace& trace);

} // namespace kymata::waves
