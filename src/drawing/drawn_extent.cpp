#include "drawing/drawn_extent.h"

#include "drawing/surface.h"

#include <algorithm>
#include <cmath>

namespace kymata {

namespace {

class Growing {
public:
    void Add(double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) {
            return;
        }
        if (!extent_) {
            extent_ = Extent{x, y, x, y};
            return;
        }
        extent_->minX = std::min(extent_->minX, x);
        extent_->minY = std::min(extent_->minY, y);
        extent_->maxX = std::max(extent_->maxX, x);
        extent_->maxY = std::max(extent_->maxY, y);
    }
    const std::optional<Extent>& Result() const { return extent_; }

private:
    std::optional<Extent> extent_;
};

/// Counts the characters of UTF-8 `text`, not its bytes.
std::size_t Characters(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

} // namespace

std::optional<Extent> DrawnExtent(const Recording& figure) {
    // User units per pixel of the 1000-pixel reference canvas, for the size of texts.
    const double unit = std::max(std::abs(figure.box.right - figure.box.left),
                                 std::abs(figure.box.top - figure.box.bottom)) /
                        Surface::ReferencePixels;
    Growing g;
    for (const Item& item : figure.items) {
        if (const auto* line = std::get_if<LineItem>(&item)) {
            g.Add(line->x1, line->y1);
            g.Add(line->x2, line->y2);
        } else if (const auto* circle = std::get_if<CircleItem>(&item)) {
            g.Add(circle->x - circle->r, circle->y - circle->r);
            g.Add(circle->x + circle->r, circle->y + circle->r);
        } else if (const auto* poly = std::get_if<PolylineItem>(&item)) {
            for (std::size_t k = 0; k + 1 < poly->xy.size(); k += 2) {
                g.Add(poly->xy[k], poly->xy[k + 1]);
            }
        } else if (const auto* text = std::get_if<TextItem>(&item)) {
            // Points at 96 dpi to reference pixels; a letter is taken as 0.7 of the type's
            // height across, a little more than most faces need.
            const double height = text->size * 96.0 / 72.0 * unit;
            const double width = height * 0.7 * static_cast<double>(Characters(text->text));
            if (text->angle == 0) {
                // From the top-left corner rightwards and down the page.
                const double down = figure.box.top > figure.box.bottom ? -height : height;
                g.Add(text->x, text->y);
                g.Add(text->x + width, text->y + down);
            } else {
                // Turned about its corner, its far corner may lie that far any way.
                const double reach = std::hypot(width, height);
                g.Add(text->x - reach, text->y - reach);
                g.Add(text->x + reach, text->y + reach);
            }
        }
    }
    return g.Result();
}

Extent Union(const Extent& a, const UserBox& box) {
    return {std::min({a.minX, box.left, box.right}), std::min({a.minY, box.top, box.bottom}),
            std::max({a.maxX, box.left, box.right}), std::max({a.maxY, box.top, box.bottom})};
}

} // namespace kymata
