#include "waves/wave_layout.h"

#include "waves/text_placement.h"
#include "waves/wave_focus.h"
#include "waves/wave_overlays.h"
#include "waves/wave_summary.h"

#include <algorithm>

namespace kymata::waves {

namespace {

/// How much the box grows at a time, about its centre, while an inset meets the glass.
constexpr double Growth = 1.05;
constexpr int MostGrowths = 60;

/// Whether one of the corner insets of `box` (the summary top left, the key bottom left, the
/// fan plot bottom right) meets the glass's `outline`, for a summary of `room` reference
/// pixels on a canvas of proportions `aspect`.
bool InsetMeetsGlass(const std::vector<Vec2>& outline, const UserBox& box, const SummaryRoom& room,
                     double aspect) {
    const double height = box.top - box.bottom;
    // User units a reference pixel: the canvas is 1000 reference pixels on its shorter side.
    const double perPixel = height / (Surface::ReferencePixels * std::max(1.0, 1 / aspect));
    const double unit = height / 100;
    const Area summary{box.left + unit, box.top - unit, box.left + unit + room.across * perPixel,
                       box.top - unit - room.down * perPixel};
    const UserBox key = KeyArea(box);
    const UserBox fan = FanPlotArea(box);
    return OutlineMeets(outline, summary) ||
           OutlineMeets(outline, {key.left, key.top, key.right, key.bottom}) ||
           OutlineMeets(outline, {fan.left, fan.top, fan.right, fan.bottom});
}

} // namespace

double MarkerX(const WaveTrace& trace, Marker marker) {
    switch (marker) {
    case Marker::Source:
        return trace.lens.sourceX;
    case Marker::Focus:
        return trace.lens.focusX;
    case Marker::BestFocus:
        return trace.bestFocus.value_or(0);
    case Marker::ParaxialFocus:
        return trace.paraxialFocus.value_or(0);
    }
    return 0;
}

WaveViewLayout LayOutWaveView(const WaveTrace& trace, double aspect) {
    const WaveLens& lens = trace.lens;
    WaveViewLayout layout;
    const double lensRight = std::max(lens.backX, lens.focusX);
    const double span = std::max(lensRight - lens.frontVertexX, 2 * lens.rim);
    layout.sourceAtEdge = lens.frontVertexX - lens.sourceX > FarSourceSpans * span;
    if (!lens.parallelBeam && !layout.sourceAtEdge) {
        layout.drawn.push_back(Marker::Source);
    }
    layout.drawn.push_back(Marker::Focus);
    double left =
        layout.sourceAtEdge ? lens.frontVertexX - span : std::min(lens.sourceX, lens.frontVertexX);
    double right = lensRight;
    const double reach =
        lensRight + std::max(layout.sourceAtEdge ? FarSourceSpans * span : lensRight - lens.sourceX,
                             2 * lens.rim);
    const auto place = [&](Marker marker, const std::optional<double>& x) {
        if (!x) {
            return;
        }
        if (*x <= reach && *x >= left) {
            layout.drawn.push_back(marker);
            right = std::max(right, *x);
        } else {
            layout.named.push_back(marker);
        }
    };
    // A best focus that is no focus is named in the summary's own words, never marked.
    if (!BestFocusIsNoFocus(trace)) {
        place(Marker::BestFocus, trace.bestFocus);
    }
    place(Marker::ParaxialFocus, trace.paraxialFocus);
    // Room behind the lens for the rays to show where they go, and a margin all round.
    const double margin = 0.06 * (right - left) + 0.1 * lens.rim;
    left -= margin;
    right += std::max(margin, (lensRight - lens.backX) + 1.5 * lens.rim);
    double width = right - left;
    double height = 2.6 * lens.rim;
    if (!(aspect > 0)) {
        aspect = 1;
    }
    if (width / height > aspect) {
        height = width / aspect;
    } else {
        const double grow = (height * aspect - width) / 2;
        left -= grow;
        right += grow;
        width = right - left;
    }
    layout.box = {left, height / 2, right, -height / 2};
    // Room for the texts in the corners: the box grows until the glass keeps clear of them.
    const std::vector<Vec2> outline = LensOutline(lens);
    const SummaryRoom room = MostSummaryRoom(trace, layout.named, layout.sourceAtEdge);
    for (int i = 0;
         i < MostGrowths && !outline.empty() && InsetMeetsGlass(outline, layout.box, room, aspect);
         ++i) {
        const double middle = (layout.box.left + layout.box.right) / 2;
        const double half = Growth * (layout.box.right - layout.box.left) / 2;
        layout.box = {middle - half, Growth * layout.box.top, middle + half,
                      Growth * layout.box.bottom};
    }
    return layout;
}

} // namespace kymata::waves
