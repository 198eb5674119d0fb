#include "waves/wave_layout.h"

#include <algorithm>

namespace kymata::waves {

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
    place(Marker::BestFocus, trace.bestFocus);
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
    return layout;
}

} // namespace kymata::waves
