#pragma once

#include "waves/wave_trace.h"

#include <string>
#include <vector>

namespace kymata::waves {

/// One line of the ledger's summary: what it tells, and its value as shown (empty for a line
/// that is only words). A worksheet blanks the value.
struct LedgerLine {
    std::string caption;
    std::string value;

    /// The line as one text: "caption = value", or the caption alone.
    std::string Text() const { return value.empty() ? caption : caption + " = " + value; }
};

/// The ledger of the wave view in the current language: a table of the rays and a summary.
/// Every number is formatted here, so every shell shows the same texts.
struct WaveLedger {
    /// The columns: k, entry height, air, glass, after, total, phase error, fate.
    std::vector<std::string> columns;
    /// One row a ray, in k order; a count that does not exist is "—".
    std::vector<std::vector<std::string>> rows;
    /// W_0, rms and max OPD, in step, best focus and its distance from F, paraxial focus, the
    /// spread of the axis crossings; or the one sentence that no ray is traced.
    std::vector<LedgerLine> summary;
};

/// The phase error of a path difference in degrees, OPD 360°, wrapped to (-180°, 180°].
double PhaseErrorDegrees(double opd);

/// The summary of the ledger alone, as the figure shows it.
std::vector<LedgerLine> LedgerSummary(const WaveTrace& trace, bool greek);

/// The ledger of `trace`, in Greek when `greek`, in English otherwise.
WaveLedger MakeLedger(const WaveTrace& trace, bool greek);

/// The name of a ray's fate as the ledger shows it.
std::string FateName(RayFate fate, bool greek);

} // namespace kymata::waves
