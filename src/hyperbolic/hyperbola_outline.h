#pragma once

#include "drawing/surface.h"

#include <optional>

namespace kymata {

/// The front surface, the right branch of (x + 2a)^2/a^2 - y^2/b^2 = 1, as a polyline: for
/// t = 0 to 20a in steps of 1 the points (t - a, +-b Sqr(((a + t)/a)^2 - 1)), each half drawn
/// segment by segment from the origin, in the surface's fore colour.
void DrawFrontBranch(Surface& surface, double a, double b);

/// Both halves of a hyperbola branch that opens to the left, centred at (centre, 0): u runs from
/// `from` down to `to` in steps of a / 15 with y = b Sqr(((u - centre)/a)^2 - 1), each half a
/// polyline from (from, 0). The upper half is drawn in `upperColor` (the fore colour when
/// empty), the lower one in the fore colour, both in the surface's current style.
void DrawLeftOpeningBranch(Surface& surface, double a, double b, double centre, double from,
                           double to, std::optional<Rgb> upperColor);

} // namespace kymata
