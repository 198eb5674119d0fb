#include "waves/wave_glass.h"

#include "waves/portable_math.h"
#include "waves/wave_style.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kymata::waves {

namespace {

/// Hatch lines across the box height: a light tint that prints as grey.
constexpr int HatchLines = 320;
constexpr int OutlineSegments = 96;

/// The sphere of the classic figure with the perfect surface's vertex, dotted beside it.
void DrawSphereBeside(const WaveLens& lens, Surface& s) {
    const double radius = 9 * lens.wavelength;
    const double reach = std::min(radius, std::max(lens.rim, 1e-9));
    const double half = PortableAsin(reach / radius);
    s.DrawWidth = 1;
    s.DrawStyle = LineStyle::Dotted;
    s.Arc(static_cast<float>(lens.frontVertexX + radius), 0, static_cast<float>(radius), GlassEdge,
          static_cast<float>(std::numbers::pi - half), static_cast<float>(std::numbers::pi + half));
    s.DrawStyle = LineStyle::Solid;
}

} // namespace

void DrawGlass(const WaveLens& lens, Surface& s, const UserBox& box) {
    if (lens.shape == LensShape::Perfect && lens.surface.empty()) {
        return;
    }
    const double h = lens.rim;
    const double step = std::abs(box.top - box.bottom) / HatchLines;
    s.DrawWidth = 1;
    for (double y = -std::floor(h / step) * step; y <= h; y += step) {
        Segment(s, {FrontX(lens, y), y}, {lens.backX, y}, GlassTint);
    }
    s.DrawWidth = 2;
    if (lens.shape == LensShape::Perfect) {
        // The surface through its own computed points.
        for (std::size_t i = 1; i < lens.surface.size(); ++i) {
            Segment(s, lens.surface[i - 1], lens.surface[i], GlassEdge);
        }
        DrawSphereBeside(lens, s);
        s.DrawWidth = 2;
    } else {
        Vec2 previous{FrontX(lens, -h), -h};
        for (int i = 1; i <= OutlineSegments; ++i) {
            const double y = -h + 2 * h * i / OutlineSegments;
            const Vec2 next{FrontX(lens, y), y};
            Segment(s, previous, next, GlassEdge);
            previous = next;
        }
    }
    for (const double y : {-h, h}) {
        Segment(s, {FrontX(lens, y), y}, {lens.backX, y}, GlassEdge);
    }
    Segment(s, {lens.backX, -h}, {lens.backX, h}, GlassEdge);
}

} // namespace kymata::waves
