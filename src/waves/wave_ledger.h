#pragma once

#include "waves/wave_trace.h"

#include <optional>
#include <string>
#include <vector>

namespace kymata::waves {

/// One line of the ledger's summary: what it tells, and its value as shown (empty for a line
/// that is only words). A worksheet blanks the value.
struct LedgerLine {
    std::string caption;
    std::string value;
    /// A line of detail that the figure leaves to the ledger where its type is large
    /// (presentation mode): the rms and largest path difference, the perfect focus's spot, the
    /// best focus from F, the spread of the crossings, the perfect surface's gap and how the
    /// count after the lens is taken.
    bool detail = false;
    /// The line goes on with the sentence of the line before it: the figure breaks a long
    /// sentence into lines that fit, a text panel joins them into one.
    bool continues = false;

    /// The line as one text: "caption = value", or the caption alone.
    std::string Text() const { return value.empty() ? caption : caption + " = " + value; }
};

/// The ledger of the wave view in the current language: a table of the rays and a summary.
/// Every number is formatted here, so every shell shows the same texts.
struct WaveLedger {
    /// The columns: for the class the ray k, its entry height in wavelengths, its count at F, its
    /// difference from the axial ray (waves, signed), whether its phase lies within `PhaseLimit`
    /// of the axis ray's; then the
    /// details: air, glass, after, phase error (°), fate.
    std::vector<std::string> columns;
    /// How many of the columns a class sees before "Details" shows the rest.
    std::size_t classColumns = 0;
    /// The rule of the phase-limit column, written under the table.
    std::string rule;
    /// One row a ray, in k order; a count that does not exist is "—".
    std::vector<std::vector<std::string>> rows;
    /// W_0, rms and max OPD, in step and brightness at F (the dense fan), the spot of a perfect
    /// focus at F from this opening (and whether it is as wide as the light), best focus and its
    /// distance from F, paraxial focus or why there is none, the spread of the axis crossings,
    /// all distances in wavelengths behind the lens, and how the count after the lens is
    /// taken; or the one sentence that no ray is traced.
    std::vector<LedgerLine> summary;
};

/// The phase error of a path difference in degrees, OPD 360°, wrapped to (-180°, 180°].
double PhaseErrorDegrees(double opd);

/// **Phase limit**, in waves: a ray's phase difference from the axis ray (its path difference
/// less whole waves, in (-1/2, 1/2]) within it puts its crests at F together with the axis ray's.
/// The one limit of the figure's colour classes, the fan plot's band and the ledger's column;
/// `PhaseLimitWide` bounds the colour class beyond it.
inline constexpr double PhaseLimit = 1.0 / 8;
inline constexpr double PhaseLimitWide = 1.0 / 4;

/// Whether the path difference `opd` (waves) lies within `PhaseLimit` of a whole number of waves.
bool WithinPhaseLimit(double opd);

/// A point source no farther from the front vertex than the front focal distance: both in
/// wavelengths, and whether it stands on the focal point itself (within rounding).
struct NearSource {
    double distance;
    double focal;
    bool onFocalPoint;
};

/// The source of `lens` when it lies within the front surface's front focal distance: then the
/// rays near the axis still spread after the lens (or leave it parallel, on the focal point),
/// and there is no focus behind it. Empty for a farther source, a plane wave and the perfect
/// surface.
std::optional<NearSource> SourceWithinFocalDistance(const WaveLens& lens);

/// The summary's sentences for a text panel: each line as one text, a line that continues the
/// sentence before it joined to it by a space.
std::vector<std::string> SummarySentences(const std::vector<LedgerLine>& summary);

/// The summary of the ledger alone, as the figure shows it.
std::vector<LedgerLine> LedgerSummary(const WaveTrace& trace, std::string_view language);

/// The ledger of `trace`, in Greek when `language`, in English otherwise.
WaveLedger MakeLedger(const WaveTrace& trace, std::string_view language);

/// The name of a ray's fate as the ledger shows it.
std::string FateName(RayFate fate, std::string_view language);

} // namespace kymata::waves
