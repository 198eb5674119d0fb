#include "waves/wave_summary.h"

#include "construction/number_format.h"
#include "drawing/surface.h"
#include "texts/catalogue.h"
#include "waves/text_placement.h"
#include "waves/wave_style.h"

#include <algorithm>

namespace kymata::waves {

std::vector<LedgerLine> FigureSummary(const WaveTrace& trace, const std::vector<Marker>& named,
                                      bool sourceAtEdge, std::string_view language,
                                      bool presentation, bool flash) {
    std::vector<LedgerLine> lines = LedgerSummary(trace, language);
    if (presentation) {
        std::erase_if(lines, [](const LedgerLine& line) { return line.detail; });
    }
    if (flash && trace.arrivalSpread) {
        lines.push_back(
            {std::string(Text("waves.arrivalSpread", language)), Format(*trace.arrivalSpread, 2)});
    }
    for (const Marker marker : named) {
        const double behind = (MarkerX(trace, marker) - trace.lens.backX) / trace.lens.wavelength;
        lines.push_back({std::string(Text(marker == Marker::BestFocus ? "waves.bestOffFigure"
                                                                      : "waves.paraxialOffFigure",
                                          language)),
                         Format(behind, 2)});
    }
    if (sourceAtEdge && !trace.lens.parallelBeam) {
        const double distance =
            (trace.lens.frontVertexX - trace.lens.sourceX) / trace.lens.wavelength;
        lines.push_back({Text("waves.sourceAtEdge", language, {Format(distance, 0)}), ""});
    }
    return lines;
}

SummaryRoom MostSummaryRoom(const WaveTrace& trace, const std::vector<Marker>& named,
                            bool sourceAtEdge) {
    SummaryRoom room;
    const double pixels = WaveTextPoints * Surface::ReferenceDpi / 72;
    for (const std::string& language : CatalogueLanguages()) {
        const std::vector<LedgerLine> all =
            FigureSummary(trace, named, sourceAtEdge, language, false, true);
        // Presentation type keeps the lines that are not details, larger.
        for (const double scale : {1.0, PresentationTextScale}) {
            double letters = 0;
            double lines = 0;
            for (const LedgerLine& line : all) {
                if (scale == 1 || !line.detail) {
                    letters = std::max(letters, Letters(line.Text()));
                    ++lines;
                }
            }
            room.across = std::max(room.across, 0.55 * pixels * scale * letters);
            room.down = std::max(room.down, Surface::LineSpacing * pixels * scale * lines);
        }
    }
    return room;
}

} // namespace kymata::waves
