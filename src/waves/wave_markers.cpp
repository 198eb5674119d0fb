#include "waves/wave_markers.h"

#include "construction/number_format.h"
#include "texts/catalogue.h"
#include "waves/wave_overlays.h"
#include "waves/wave_style.h"

#include <algorithm>
#include <cmath>

namespace kymata::waves {

std::string MarkerName(Marker marker, std::string_view language) {
    switch (marker) {
    case Marker::Source:
        return "S";
    case Marker::Focus:
        return "F";
    case Marker::BestFocus:
        return std::string(Text("waves.marker.best", language));
    case Marker::ParaxialFocus:
        return std::string(Text("waves.marker.paraxial", language));
    }
    return {};
}

void DrawMarkers(const WaveTrace& trace, const WaveViewLayout& layout, std::string_view language,
                 double summaryBottom, Surface& s) {
    const double unit = std::abs(layout.box.top - layout.box.bottom) / 100;
    const double r = 0.8 * unit;
    s.DrawWidth = 2;
    const auto colourOf = [](Marker m) {
        return m == Marker::BestFocus ? BestColour
                                      : (m == Marker::ParaxialFocus ? ParaxialColour : Black);
    };
    // The written counts stand beside the back face; a name whose letters would run into
    // them goes above (F) or below (the foci) their column.
    const double line = s.LineHeight();
    const double letter = 0.55 * line / Surface::LineSpacing;
    const std::optional<UserBox> counts = ArrivalCountArea(trace, layout.box, line, letter);
    const auto meets = [&](double x, const std::string& name) {
        return counts && x - r < counts->right &&
               x - r + letter * static_cast<double>(name.size()) > counts->left;
    };
    // Below the axis, each a line lower than the one before, so names that meet do not overlap;
    // right of the counts' column where they would run into it.
    double below = -1.5 * unit;
    for (const Marker marker : layout.drawn) {
        const double x = MarkerX(trace, marker);
        const Rgb colour = colourOf(marker);
        if (marker == Marker::Focus) {
            Segment(s, {x - r, -r}, {x + r, r}, colour);
            Segment(s, {x - r, r}, {x + r, -r}, colour);
            const std::string name = MarkerName(marker, language);
            const double above =
                std::max(1.5 * unit + line, meets(x, name) ? counts->top + 1.2 * line : 0.0);
            // Where the summary comes down that far, the name goes under the axis instead.
            if (above > summaryBottom) {
                Label(s, x - r, below, name, colour);
                below -= line;
            } else {
                Label(s, x - r, above, name, colour);
            }
            continue;
        }
        if (marker == Marker::ParaxialFocus) {
            Segment(s, {x, -1.4 * r}, {x + 1.4 * r, 0}, colour);
            Segment(s, {x + 1.4 * r, 0}, {x, 1.4 * r}, colour);
            Segment(s, {x, 1.4 * r}, {x - 1.4 * r, 0}, colour);
            Segment(s, {x - 1.4 * r, 0}, {x, -1.4 * r}, colour);
        } else {
            s.Circle(static_cast<float>(x), 0, static_cast<float>(r), colour);
        }
        const std::string name = MarkerName(marker, language);
        Label(s, meets(x, name) ? std::max(x - r, counts->right + letter) : x - r, below, name,
              colour);
        below -= line;
    }
    if (layout.sourceAtEdge && !trace.lens.parallelBeam) {
        // An arrow at the left edge points to the source, with its distance in words.
        const double x = std::min(layout.box.left, layout.box.right) + unit;
        Segment(s, {x, 0}, {x + 4 * unit, 0}, Black);
        Segment(s, {x, 0}, {x + 1.5 * unit, 1.2 * unit}, Black);
        Segment(s, {x, 0}, {x + 1.5 * unit, -1.2 * unit}, Black);
        const double distance =
            (trace.lens.frontVertexX - trace.lens.sourceX) / trace.lens.wavelength;
        const std::string words = Text("waves.sourceAtEdge", language, {Format(distance, 0)});
        // Under the arrow; below the counts' column where it would run into it.
        const bool crosses =
            counts && x + letter * static_cast<double>(words.size()) > counts->left;
        Label(s, x, crosses ? std::min(-1.5 * unit, counts->bottom - 0.2 * line) : -1.5 * unit,
              words, Black);
    }
}

} // namespace kymata::waves
