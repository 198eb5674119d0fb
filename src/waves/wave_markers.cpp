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

namespace {

/// The places a name may take near (x, y0), its top-left corner (y up): there, then a line
/// further from the axis at a time (`away` +1 above it, -1 below), and each of those also
/// beside its mark on the right and on the left.
std::vector<Area> NamePlaces(double x, double y0, int away, const std::string& name, double letter,
                             double height, double line, double r, int lines) {
    std::vector<Area> places;
    const double width = letter * Letters(name);
    for (const double left : {x - r, x + 2 * r, x - 2 * r - width}) {
        for (int i = 0; i <= lines; ++i) {
            places.push_back(TextArea(left, y0 + away * i * line, name, letter, height));
        }
    }
    return places;
}

} // namespace

void DrawMarkers(const WaveTrace& trace, const WaveViewLayout& layout, std::string_view language,
                 TextPlacement& placement, Surface& s) {
    const double unit = std::abs(layout.box.top - layout.box.bottom) / 100;
    const double r = 0.8 * unit;
    s.DrawWidth = 2;
    const auto colourOf = [](Marker m) {
        return m == Marker::BestFocus ? BestColour
                                      : (m == Marker::ParaxialFocus ? ParaxialColour : Black);
    };
    const double line = s.LineHeight();
    const double height = line / Surface::LineSpacing;
    const double letter = 0.55 * height;
    // Half the box's height in lines: how far a name may go from the axis.
    const int lines = static_cast<int>(std::abs(layout.box.top - layout.box.bottom) / line / 2);
    const auto place = [&](const std::vector<Area>& places, const std::string& name, Rgb colour) {
        const Area& at = places[placement.Place(places)];
        Label(s, at.left, at.top, name, colour);
    };
    for (const Marker marker : layout.drawn) {
        const double x = MarkerX(trace, marker);
        const Rgb colour = colourOf(marker);
        const std::string name = MarkerName(marker, language);
        if (marker == Marker::Focus) {
            Segment(s, {x - r, -r}, {x + r, r}, colour);
            Segment(s, {x - r, r}, {x + r, -r}, colour);
            // Above the axis, else below it.
            std::vector<Area> places =
                NamePlaces(x, 1.5 * unit + line, 1, name, letter, height, line, r, lines);
            const std::vector<Area> under =
                NamePlaces(x, -1.5 * unit, -1, name, letter, height, line, r, lines);
            places.insert(places.end(), under.begin(), under.end());
            place(places, name, colour);
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
        // Below the axis, a line lower where a name before it stands there.
        place(NamePlaces(x, -1.5 * unit, -1, name, letter, height, line, r, lines), name, colour);
    }
    if (layout.sourceAtEdge && !trace.lens.parallelBeam) {
        // An arrow at the left edge points to the source; the summary says how far it is.
        const double x = std::min(layout.box.left, layout.box.right) + unit;
        Segment(s, {x, 0}, {x + 4 * unit, 0}, Black);
        Segment(s, {x, 0}, {x + 1.5 * unit, 1.2 * unit}, Black);
        Segment(s, {x, 0}, {x + 1.5 * unit, -1.2 * unit}, Black);
    }
}

} // namespace kymata::waves
