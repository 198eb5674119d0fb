#pragma once

#include "waves/wave_layout.h"
#include "waves/wave_ledger.h"

#include <string_view>
#include <vector>

namespace kymata::waves {

/// The lines the wave view writes in its top-left corner: the ledger's summary (in large type,
/// `presentation`, only the lines that make its point: the ledger has them all), the spread of
/// a flash's arrivals when `flash`, each focus too far away to draw (`named`) with its
/// distance behind the lens, and the distance of a source left beyond the figure's edge
/// (`sourceAtEdge`).
std::vector<LedgerLine> FigureSummary(const WaveTrace& trace, const std::vector<Marker>& named,
                                      bool sourceAtEdge, std::string_view language,
                                      bool presentation, bool flash);

/// The most room the summary of `trace` can take, in reference pixels across and down: in
/// every catalogue's language, in normal and in presentation type, with a flash.
struct SummaryRoom {
    double across = 0;
    double down = 0;
};
SummaryRoom MostSummaryRoom(const WaveTrace& trace, const std::vector<Marker>& named,
                            bool sourceAtEdge);

} // namespace kymata::waves
