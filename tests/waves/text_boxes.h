#pragma once

// The boxes the wave view's texts take on the 1000-pixel reference canvas, and whether two of
// them, or a text and a stroke, meet: the rule the tests of texts kept apart share.

#include "drawing/display_list.h"

#include <algorithm>
#include <cmath>
#include <variant>
#include <vector>

namespace kymata::test {

/// The texts of `r` in the order drawn.
inline std::vector<TextItem> TextsOf(const Recording& r) {
    std::vector<TextItem> texts;
    for (const Item& item : r.items) {
        if (const auto* t = std::get_if<TextItem>(&item)) {
            texts.push_back(*t);
        }
    }
    return texts;
}

/// A text's box in user units on the 1000-pixel reference: as wide as its letters at a generous
/// 0.55 em each, one line high below its top-left corner (y up).
struct Extent {
    double left, top, right, bottom;
};
inline Extent ExtentOf(const TextItem& t, const UserBox& box) {
    const double unit = std::abs(box.right - box.left) / 1000;
    const double pixels = t.size * 96 / 72;
    // UTF-8: count the letters, not the bytes.
    const auto letters = static_cast<double>(
        std::count_if(t.text.begin(), t.text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    return {t.x, t.y, t.x + 0.55 * pixels * letters * unit, t.y - 1.0 * pixels * unit};
}

inline bool Overlap(const Extent& a, const Extent& b) {
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

/// Whether the segment (x1, y1)-(x2, y2) passes through the inside of `e` (Liang-Barsky).
inline bool Crosses(const Extent& e, double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0;
    double t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - e.left, e.right - x1, y1 - e.bottom, e.top - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] <= 0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 >= t1) {
            return false;
        }
    }
    return true;
}

} // namespace kymata::test
