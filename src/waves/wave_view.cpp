#include "waves/wave_view.h"

#include "construction/number_format.h"
#include "texts/catalogue.h"
#include "waves/text_placement.h"
#include "waves/wave_glass.h"
#include "waves/wave_markers.h"
#include "waves/wave_overlays.h"
#include "waves/wave_style.h"
#include "waves/wave_summary.h"

#include <algorithm>
#include <cmath>

namespace kymata::waves {

namespace {

/// How far a wavefront may stray from the points it joins, as a part of the box's width: a
/// hundredth of a pixel on a 1000-pixel canvas, a fifth of one zoomed twenty times.
constexpr double WavefrontTolerance = 1e-5;

/// Prints the summary in the figure's top left corner, each line's room taken in `placement`.
void DrawSummary(const WaveTrace& trace, const WaveViewLayout& layout, std::string_view language,
                 const CrestOptions& crests, TextPlacement& placement, Surface& s) {
    const UserBox& b = layout.box;
    const double unit = std::abs(b.top - b.bottom) / 100;
    const double height = s.LineHeight() / Surface::LineSpacing;
    const float left = static_cast<float>(std::min(b.left, b.right) + unit);
    s.ForeColor = Black;
    s.CurrentY = static_cast<float>(std::max(b.top, b.bottom) - unit);
    for (const LedgerLine& line : FigureSummary(trace, layout.named, layout.sourceAtEdge, language,
                                                s.TextScale > 1, crests.flash.has_value())) {
        const std::string words = line.Text();
        placement.Reserve(TextArea(left, s.CurrentY, words, 0.55 * height, height));
        s.PrintRole = line.value.empty() ? TextRole::Plain : TextRole::Count;
        s.CurrentX = left;
        s.Print(words);
    }
    s.PrintRole = TextRole::Plain;
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
    // One pass places every text: the summary and the corner insets where they stand, then
    // the counts at F and the markers' names where they are clear of all before them and of
    // the glass.
    const double height = surface.LineHeight() / Surface::LineSpacing;
    TextPlacement placement(LensOutline(trace.lens), 0.05 * height);
    DrawSummary(trace, layout, language, crests, placement, surface);
    if (!trace.rays.empty()) {
        const UserBox key = KeyArea(b);
        const UserBox fan = FanPlotArea(b);
        placement.Reserve({key.left, key.top, key.right, key.bottom});
        placement.Reserve({fan.left, fan.top, fan.right, fan.bottom});
    }
    const std::vector<CountLabel> counts = PlaceArrivalCounts(trace, b, surface, placement);
    DrawMarkers(trace, layout, language, placement, surface);
    if (!trace.rays.empty()) {
        DrawArrivalCounts(counts, b, surface);
        DrawPhaseKey(b, language, surface);
        DrawInStepMeter(trace, b, language, surface);
        DrawFanPlot(trace, b, language, surface);
    }
    surface.ForeColor = Black;
    surface.DrawWidth = 1;
}

} // namespace kymata::waves
