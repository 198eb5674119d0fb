#pragma once

#include "drawing/display_list.h"

#include <optional>

namespace kymata {

/// The smallest upright rectangle, in user coordinates, that holds everything `figure` draws:
/// every stroke's points, every circle or arc whole, and every text with room for its letters
/// at its size. Empty when the figure draws nothing with finite coordinates.
struct Extent {
    double minX;
    double minY;
    double maxX;
    double maxY;
    friend bool operator==(const Extent&, const Extent&) = default;
};

std::optional<Extent> DrawnExtent(const Recording& figure);

/// The smallest rectangle that holds both `a` and the user box `box`.
Extent Union(const Extent& a, const UserBox& box);

} // namespace kymata
