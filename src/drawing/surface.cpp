#include "drawing/surface.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace kymata {

void Surface::Scale(double x1, double y1, double x2, double y2) {
    const bool finite =
        std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2);
    if (!finite || x1 == x2 || y1 == y2) {
        return;
    }
    const UserBox previous = box_;
    box_ = {x1, y1, x2, y2};
    OnScale(previous, box_);
}

void Surface::Cls() {
    CurrentX = static_cast<float>(box_.left);
    CurrentY = static_cast<float>(box_.top);
    OnClear();
}

void Surface::Line(float x1, float y1, float x2, float y2, std::optional<Rgb> color) {
    OnLine({x1, y1, x2, y2, color.value_or(ForeColor), DrawWidth, DrawStyle});
}

void Surface::Circle(float x, float y, float r, std::optional<Rgb> color) {
    OnCircle({x, y, r, color.value_or(ForeColor), DrawWidth, DrawStyle, {}, {}});
}

void Surface::Polyline(std::vector<float> xy, std::optional<Rgb> color) {
    if (xy.size() >= 4) {
        OnPolyline({std::move(xy), color.value_or(ForeColor), DrawWidth, DrawStyle});
    }
}

void Surface::OnPolyline(const PolylineItem& polyline) {
    const auto& p = polyline.xy;
    for (std::size_t i = 2; i + 1 < p.size(); i += 2) {
        OnLine(
            {p[i - 2], p[i - 1], p[i], p[i + 1], polyline.color, polyline.width, polyline.style});
    }
}

void Surface::Arc(float x, float y, float r, std::optional<Rgb> color, float start, float end) {
    OnCircle({x, y, r, color.value_or(ForeColor), DrawWidth, DrawStyle, start, end});
}

double Surface::LineHeight() const {
    const double pixels = FontSize * TextScale * ReferenceDpi / 72.0 * LineSpacing;
    return pixels * std::abs(box_.bottom - box_.top) / ReferenceHeight;
}

void Surface::Print(const std::string& text) {
    OnText({CurrentX, CurrentY, text, ForeColor, FontName, FontSize * TextScale, FontAngle,
            PrintRole});
    const double down = box_.bottom < box_.top ? -LineHeight() : LineHeight();
    CurrentX = static_cast<float>(box_.left);
    CurrentY = static_cast<float>(CurrentY + down);
}

void Replay(const Recording& recording, Surface& target) {
    const UserBox& b = recording.box;
    target.Scale(b.left, b.top, b.right, b.bottom);
    target.Cls();
    const auto savedX = target.CurrentX;
    const auto savedY = target.CurrentY;
    const auto savedWidth = target.DrawWidth;
    const auto savedStyle = target.DrawStyle;
    const auto savedName = target.FontName;
    const auto savedSize = target.FontSize;
    const auto savedAngle = target.FontAngle;
    const auto savedRole = target.PrintRole;
    for (const Item& item : recording.items) {
        std::visit(
            [&target](const auto& it) {
                using T = std::decay_t<decltype(it)>;
                if constexpr (std::is_same_v<T, LineItem>) {
                    target.DrawWidth = it.width;
                    target.DrawStyle = it.style;
                    target.Line(it.x1, it.y1, it.x2, it.y2, it.color);
                } else if constexpr (std::is_same_v<T, PolylineItem>) {
                    target.DrawWidth = it.width;
                    target.DrawStyle = it.style;
                    target.Polyline(it.xy, it.color);
                } else if constexpr (std::is_same_v<T, CircleItem>) {
                    target.DrawWidth = it.width;
                    target.DrawStyle = it.style;
                    if (it.start && it.end) {
                        target.Arc(it.x, it.y, it.r, it.color, *it.start, *it.end);
                    } else {
                        target.Circle(it.x, it.y, it.r, it.color);
                    }
                } else {
                    const Rgb fore = target.ForeColor;
                    target.ForeColor = it.color;
                    target.FontName = it.font;
                    target.FontSize = it.size;
                    target.FontAngle = it.angle;
                    target.PrintRole = it.role;
                    target.CurrentX = it.x;
                    target.CurrentY = it.y;
                    target.Print(it.text);
                    target.ForeColor = fore;
                }
            },
            item);
    }
    target.Flush();
    target.CurrentX = savedX;
    target.CurrentY = savedY;
    target.DrawWidth = savedWidth;
    target.DrawStyle = savedStyle;
    target.FontName = savedName;
    target.FontSize = savedSize;
    target.FontAngle = savedAngle;
    target.PrintRole = savedRole;
}

Rect FitBox(const UserBox& box, const Rect& area) {
    const double boxWidth = std::abs(box.right - box.left);
    const double boxHeight = std::abs(box.bottom - box.top);
    if (boxWidth <= 0 || boxHeight <= 0 || !(area.width > 0 && area.height > 0)) {
        return area;
    }
    const double unit = std::min(area.width / boxWidth, area.height / boxHeight);
    const double width = boxWidth * unit;
    const double height = boxHeight * unit;
    return {area.x + area.width / 2 - width / 2, area.y + area.height / 2 - height / 2, width,
            height};
}

} // namespace kymata
