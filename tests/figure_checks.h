#pragma once

#include "construction/controls.h"
#include "construction/scene.h"
#include "drawing/display_list.h"
#include "drawing/recording_surface.h"
#include "figure/draw_construction.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <type_traits>
#include <vector>

namespace kymata::test {

/// One redraw of `controls` into a fresh recording.
struct Redraw {
    Scene scene;
    Labels labels;
    Recording figure;
};

inline Redraw DrawFigure(const Controls& controls) {
    Redraw r;
    RecordingSurface canvas;
    DrawConstruction(controls, r.scene, r.labels, canvas);
    r.figure = canvas.Take();
    return r;
}

template <typename T> std::vector<T> ItemsOf(const Recording& recording) {
    std::vector<T> out;
    for (const Item& item : recording.items) {
        if (const T* it = std::get_if<T>(&item)) {
            out.push_back(*it);
        }
    }
    return out;
}

inline std::vector<LineItem> LinesOfColor(const Recording& recording, Rgb color) {
    std::vector<LineItem> out;
    for (const LineItem& line : ItemsOf<LineItem>(recording)) {
        if (line.color == color) {
            out.push_back(line);
        }
    }
    return out;
}

/// Empty when every coordinate and radius is finite and within `bound` of the origin;
/// otherwise a description of the first item that is not.
inline std::string FirstUnsoundItem(const Recording& recording, double bound = 1e4) {
    const auto sound = [bound](double v) { return std::isfinite(v) && std::abs(v) <= bound; };
    for (std::size_t i = 0; i < recording.items.size(); ++i) {
        const bool ok = std::visit(
            [&](const auto& it) {
                using T = std::decay_t<decltype(it)>;
                if constexpr (std::is_same_v<T, LineItem>) {
                    return sound(it.x1) && sound(it.y1) && sound(it.x2) && sound(it.y2);
                } else if constexpr (std::is_same_v<T, PolylineItem>) {
                    return std::all_of(it.xy.begin(), it.xy.end(), sound);
                } else if constexpr (std::is_same_v<T, CircleItem>) {
                    return sound(it.x) && sound(it.y) && sound(it.r) &&
                           (!it.start || std::isfinite(*it.start)) &&
                           (!it.end || std::isfinite(*it.end));
                } else {
                    return sound(it.x) && sound(it.y) && std::isfinite(it.angle);
                }
            },
            recording.items[i]);
        if (!ok) {
            return "item " + std::to_string(i) + " of " + std::to_string(recording.items.size());
        }
    }
    return {};
}

} // namespace kymata::test
