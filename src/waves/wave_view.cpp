#include "waves/wave_view.h"

#include "construction/number_format.h"
#include "texts/catalogue.h"
#include "waves/wave_glass.h"
#include "waves/wave_markers.h"
#include "waves/wave_overlays.h"
#include "waves/wave_style.h"

#include <algorithm>
#include <cmath>

namespace kymata::waves {

namespace {

/// How far a wavefront may stray from the points it joins, as a part of the box's width: a
/// hundredth of a pixel on a 1000-pixel canvas, a fifth of one zoomed twenty times.
constexpr double WavefrontTolerance = 1e-5;

/// Prints the summary in the figure's top left corner; returns the y just below its last line.
double DrawSummary(const WaveTrace& trace, const WaveViewLayout& layout, std::string_view language,
                   const CrestOptions& crests, Surface& s) {
    const UserBox& b = layout.box;
    const double unit = std::abs(b.top - b.bottom) / 100;
    s.ForeColor = Black;
    s.CurrentX = static_cast<float>(std::min(b.left, b.right) + unit);
    s.CurrentY = static_cast<float>(std::max(b.top, b.bottom) - unit);
    std::vector<LedgerLine> lines = LedgerSummary(trace, language);
    // In large type the figure keeps the lines that make its point; the ledger has them all.
    if (s.TextScale > 1) {
        std::erase_if(lines, [](const LedgerLine& line) { return line.detail; });
    }
    // Above the written counts, with room for F's name over their column: where the lines
    // would come down that far, the last details give way (the ledger has them all).
    const double line = s.LineHeight();
    if (const std::optional<UserBox> counts =
            ArrivalCountArea(trace, b, line, 0.55 * line / Surface::LineSpacing)) {
        const double room = s.CurrentY - (counts->top + 2.4 * line);
        const auto fits = static_cast<std::size_t>(std::max(0.0, std::floor(room / line)));
        const std::size_t more =
            layout.named.size() + (crests.flash && trace.arrivalSpread ? 1 : 0);
        while (lines.size() + more > fits) {
            const auto last = std::find_if(lines.rbegin(), lines.rend(),
                                           [](const LedgerLine& l) { return l.detail; });
            if (last == lines.rend()) {
                break;
            }
            // A sentence goes whole: with the line it continues, if it continues one.
            auto end = std::next(last).base() + 1;
            auto begin = std::next(last).base();
            while (begin != lines.begin() && begin->continues && std::prev(begin)->detail) {
                --begin;
            }
            lines.erase(begin, end);
        }
    }
    if (crests.flash && trace.arrivalSpread) {
        lines.push_back(
            {std::string(Text("waves.arrivalSpread", language)), Format(*trace.arrivalSpread, 2)});
    }
    for (const Marker marker : layout.named) {
        const double behind = (MarkerX(trace, marker) - trace.lens.backX) / trace.lens.wavelength;
        lines.push_back({std::string(Text(marker == Marker::BestFocus ? "waves.bestOffFigure"
                                                                      : "waves.paraxialOffFigure",
                                          language)),
                         Format(behind, 2)});
    }
    const float left = s.CurrentX;
    for (const LedgerLine& line : lines) {
        s.PrintRole = line.value.empty() ? TextRole::Plain : TextRole::Count;
        s.CurrentX = left;
        s.Print(line.Text());
    }
    s.PrintRole = TextRole::Plain;
    return s.CurrentY;
}

} // namespace

void DrawWaveView(const WaveTrace& trace, std::string_view language, Surface& surface,
                  double aspect, const CrestOptions& crests) {
    const WaveViewLayout layout = LayOutWaveView(trace, aspect);
    const UserBox& b = layout.box;
    BeginWaveSurface(surface, b);
    const double tolerance = WavefrontTolerance * (b.right - b.left);
    std::vector<std::vector<PathPiece>> paths;
    for (const TracedRay& ray : trace.rays) {
        paths.push_back(RayPath(ray, trace.lens, b));
    }
    if (crests.layer == CrestOptions::Layer::CrestsOnly) {
        DrawWavefronts(paths, tolerance, crests, surface);
        surface.DrawWidth = 1;
        return;
    }
    const bool drawCrests = crests.layer == CrestOptions::Layer::Whole;
    DrawGlass(trace.lens, surface, b);
    surface.DrawWidth = 1;
    Segment(surface, {b.left, 0}, {b.right, 0}, Black);
    // The plane wave's start, where it is within the figure.
    if (trace.lens.parallelBeam && trace.lens.sourceX >= std::min(b.left, b.right)) {
        surface.DrawStyle = LineStyle::Dotted;
        Segment(surface, {trace.lens.sourceX, b.bottom}, {trace.lens.sourceX, b.top}, Black);
        surface.DrawStyle = LineStyle::Solid;
    }
    // The crest of a flash shows on top of the rays; the wavefronts of the other views lie
    // under them.
    if (drawCrests && !crests.flash) {
        DrawWavefronts(paths, tolerance, crests, surface);
    }
    DrawRays(trace, paths, surface);
    if (drawCrests && crests.flash) {
        DrawWavefronts(paths, tolerance, crests, surface);
    }
    const double summaryBottom = DrawSummary(trace, layout, language, crests, surface);
    DrawMarkers(trace, layout, language, summaryBottom, surface);
    if (!trace.rays.empty()) {
        DrawArrivalCounts(trace, b, surface);
        DrawPhaseKey(b, language, surface);
        DrawInStepMeter(trace, b, language, surface);
        DrawFanPlot(trace, b, language, surface);
    }
    surface.ForeColor = Black;
    surface.DrawWidth = 1;
}

} // namespace kymata::waves
