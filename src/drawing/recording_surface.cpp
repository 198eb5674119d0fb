#include "drawing/recording_surface.h"

#include <cmath>
#include <type_traits>
#include <utility>

namespace kymata {

RecordingSurface::RecordingSurface() {
    recording_.box = Box();
}

Recording RecordingSurface::Take() {
    Recording taken = std::move(recording_);
    recording_ = Recording{Box(), {}};
    return taken;
}

void RescaleItems(Recording& recording, const UserBox& previous, const UserBox& box) {
    recording.box = box;
    if (recording.items.empty()) {
        return;
    }
    // Canvas position of a point stays put: u = (x - left) / (right - left) in both boxes.
    const double sx = (box.right - box.left) / (previous.right - previous.left);
    const double sy = (box.bottom - box.top) / (previous.bottom - previous.top);
    const auto mapX = [&](float x) {
        return static_cast<float>(box.left + (x - previous.left) * sx);
    };
    const auto mapY = [&](float y) {
        return static_cast<float>(box.top + (y - previous.top) * sy);
    };
    for (Item& item : recording.items) {
        std::visit(
            [&](auto& it) {
                using T = std::decay_t<decltype(it)>;
                if constexpr (std::is_same_v<T, LineItem>) {
                    it.x1 = mapX(it.x1);
                    it.y1 = mapY(it.y1);
                    it.x2 = mapX(it.x2);
                    it.y2 = mapY(it.y2);
                } else if constexpr (std::is_same_v<T, PolylineItem>) {
                    for (std::size_t i = 0; i + 1 < it.xy.size(); i += 2) {
                        it.xy[i] = mapX(it.xy[i]);
                        it.xy[i + 1] = mapY(it.xy[i + 1]);
                    }
                } else if constexpr (std::is_same_v<T, CircleItem>) {
                    it.x = mapX(it.x);
                    it.y = mapY(it.y);
                    it.r = static_cast<float>(it.r * std::abs(sx));
                } else {
                    it.x = mapX(it.x);
                    it.y = mapY(it.y);
                }
            },
            item);
    }
}

void RecordingSurface::OnScale(const UserBox& previous, const UserBox& box) {
    RescaleItems(recording_, previous, box);
}

void RecordingSurface::OnClear() {
    recording_.items.clear();
}

void RecordingSurface::OnLine(const LineItem& line) {
    recording_.items.emplace_back(line);
}

void RecordingSurface::OnCircle(const CircleItem& circle) {
    recording_.items.emplace_back(circle);
}

void RecordingSurface::OnPolyline(const PolylineItem& polyline) {
    recording_.items.emplace_back(polyline);
}

void RecordingSurface::OnText(const TextItem& text) {
    recording_.items.emplace_back(text);
}

} // namespace kymata
