#pragma once

#include "drawing/vec2.h"
#include "waves/wave_lens.h"

#include <string_view>
#include <vector>

namespace kymata::waves {

/// A rectangle of the figure in user units, y up (bottom < top): the room a text or an inset
/// takes.
struct Area {
    double left, top, right, bottom;
};

/// The letters of a UTF-8 text (its bytes less the continuation bytes).
double Letters(std::string_view text);

/// The room a text takes with its top-left corner at (x, y): `letter` user units a letter and
/// `height` high. `letter` is a generous 0.55 of the type's pixel size, so that every font the
/// figure may be shown in keeps within it.
Area TextArea(double x, double y, std::string_view text, double letter, double height);

/// The glass's outline as the figure strokes it, a closed chain of points: the front surface
/// from the lower rim to the upper one, the rims and the back face. Empty when no glass is
/// drawn (a perfect surface that does not exist).
std::vector<Vec2> LensOutline(const WaveLens& lens);

/// Whether the segment p-q passes through the inside of `area`.
bool SegmentMeets(const Area& area, Vec2 p, Vec2 q);

/// Whether `area` meets the chain `outline` (closed: its last point joins its first).
bool OutlineMeets(const std::vector<Vec2>& outline, const Area& area);

/// Where the wave view's texts go, in one pass: each text or group of texts takes the first of
/// its candidate places that is clear of every room taken before it and of the lens outline,
/// and then holds it.
class TextPlacement {
public:
    /// Texts keep `gap` user units apart and clear of `outline`.
    TextPlacement(std::vector<Vec2> outline, double gap);

    /// Takes `area` (an inset, a fixed text) for the texts placed after it to keep clear of.
    void Reserve(const Area& area);
    /// Whether `area` is clear of every room taken and of the outline.
    bool Clear(const Area& area) const;
    /// Whether every area of `group` is.
    bool Clear(const std::vector<Area>& group) const;
    /// Takes the room of every area of `group`.
    void Take(const std::vector<Area>& group);
    /// The first of `candidates` (each a group of texts that move together) whose every text
    /// is clear, taken; the first one when none is clear. Returns its index.
    std::size_t Place(const std::vector<std::vector<Area>>& candidates);
    /// The same for one text a candidate.
    std::size_t Place(const std::vector<Area>& candidates);

private:
    std::vector<Vec2> outline_;
    Area outlineBounds_{};
    double gap_;
    std::vector<Area> taken_;
};

} // namespace kymata::waves
