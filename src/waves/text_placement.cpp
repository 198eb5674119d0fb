#include "waves/text_placement.h"

#include <algorithm>
#include <cmath>

namespace kymata::waves {

namespace {

/// The points of the front surface and the rims the figure strokes.
constexpr int OutlineSegments = 96;

bool Meet(const Area& a, const Area& b) {
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

Area Grown(const Area& a, double by) {
    return {a.left - by, a.top + by, a.right + by, a.bottom - by};
}

} // namespace

double Letters(std::string_view text) {
    return static_cast<double>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

Area TextArea(double x, double y, std::string_view text, double letter, double height) {
    return {x, y, x + letter * Letters(text), y - height};
}

std::vector<Vec2> LensOutline(const WaveLens& lens) {
    std::vector<Vec2> outline;
    if (lens.shape == LensShape::Perfect) {
        if (lens.surface.empty()) {
            return outline;
        }
        outline = lens.surface;
    } else {
        const double h = lens.rim;
        for (int i = 0; i <= OutlineSegments; ++i) {
            const double y = -h + 2 * h * i / OutlineSegments;
            outline.push_back({FrontX(lens, y), y});
        }
    }
    const double top = std::max(outline.front().y, outline.back().y);
    const double bottom = std::min(outline.front().y, outline.back().y);
    outline.push_back({lens.backX, top});
    outline.push_back({lens.backX, bottom});
    return outline;
}

bool SegmentMeets(const Area& area, Vec2 p, Vec2 q) {
    // Liang-Barsky: the part of p-q within the area's slabs across and down.
    const double dx = q.x - p.x;
    const double dy = q.y - p.y;
    double t0 = 0;
    double t1 = 1;
    const double along[4] = {-dx, dx, -dy, dy};
    const double room[4] = {p.x - area.left, area.right - p.x, p.y - area.bottom, area.top - p.y};
    for (int i = 0; i < 4; ++i) {
        if (along[i] == 0) {
            if (room[i] <= 0) {
                return false;
            }
            continue;
        }
        const double t = room[i] / along[i];
        if (along[i] < 0) {
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

bool OutlineMeets(const std::vector<Vec2>& outline, const Area& area) {
    for (std::size_t i = 0; i < outline.size(); ++i) {
        if (SegmentMeets(area, outline[i], outline[(i + 1) % outline.size()])) {
            return true;
        }
    }
    return false;
}

TextPlacement::TextPlacement(std::vector<Vec2> outline, double gap)
    : outline_(std::move(outline)), gap_(gap) {
    if (!outline_.empty()) {
        outlineBounds_ = {outline_[0].x, outline_[0].y, outline_[0].x, outline_[0].y};
        for (const Vec2 p : outline_) {
            outlineBounds_ = {std::min(outlineBounds_.left, p.x), std::max(outlineBounds_.top, p.y),
                              std::max(outlineBounds_.right, p.x),
                              std::min(outlineBounds_.bottom, p.y)};
        }
    }
}

void TextPlacement::Reserve(const Area& area) {
    taken_.push_back(area);
}

bool TextPlacement::Clear(const Area& area) const {
    const Area wide = Grown(area, gap_);
    if (std::any_of(taken_.begin(), taken_.end(), [&](const Area& t) { return Meet(wide, t); })) {
        return false;
    }
    return outline_.empty() || !Meet(wide, outlineBounds_) || !OutlineMeets(outline_, wide);
}

bool TextPlacement::Clear(const std::vector<Area>& group) const {
    return std::all_of(group.begin(), group.end(), [this](const Area& a) { return Clear(a); });
}

void TextPlacement::Take(const std::vector<Area>& group) {
    taken_.insert(taken_.end(), group.begin(), group.end());
}

std::size_t TextPlacement::Place(const std::vector<std::vector<Area>>& candidates) {
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (Clear(candidates[i])) {
            chosen = i;
            break;
        }
    }
    if (!candidates.empty()) {
        Take(candidates[chosen]);
    }
    return chosen;
}

std::size_t TextPlacement::Place(const std::vector<Area>& candidates) {
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (Clear(candidates[i])) {
            chosen = i;
            break;
        }
    }
    if (!candidates.empty()) {
        Reserve(candidates[chosen]);
    }
    return chosen;
}

} // namespace kymata::waves
