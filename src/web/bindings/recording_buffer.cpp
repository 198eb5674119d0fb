#include "web/bindings/recording_buffer.h"

#include <type_traits>

namespace kymata::web {

namespace {

float Colour(const Rgb& c) {
    return static_cast<float>((c.r << 16) | (c.g << 8) | c.b);
}

float Style(LineStyle style) {
    return style == LineStyle::Dotted ? 1.0f : 0.0f;
}

} // namespace

RecordingBuffer PackRecording(const Recording& recording) {
    RecordingBuffer out;
    auto& v = out.values;
    const auto add = [&](auto... values) { (v.push_back(static_cast<float>(values)), ...); };
    const auto string = [&](const std::string& text) {
        out.strings.push_back(text);
        return out.strings.size() - 1;
    };
    add(recording.box.left, recording.box.top, recording.box.right, recording.box.bottom,
        recording.items.size());
    for (const Item& item : recording.items) {
        std::visit(
            [&](const auto& i) {
                using T = std::decay_t<decltype(i)>;
                if constexpr (std::is_same_v<T, LineItem>) {
                    add(1, i.x1, i.y1, i.x2, i.y2, Colour(i.color), i.width, Style(i.style));
                } else if constexpr (std::is_same_v<T, CircleItem>) {
                    const bool arc = i.start && i.end;
                    add(2, i.x, i.y, i.r, Colour(i.color), i.width, Style(i.style), arc ? 1 : 0,
                        arc ? *i.start : 0.0f, arc ? *i.end : 0.0f);
                } else if constexpr (std::is_same_v<T, TextItem>) {
                    add(3, i.x, i.y, Colour(i.color), i.size, i.angle, static_cast<int>(i.role),
                        string(i.text), string(i.font));
                } else {
                    add(4, Colour(i.color), i.width, Style(i.style), i.xy.size() / 2);
                    v.insert(v.end(), i.xy.begin(), i.xy.end());
                }
            },
            item);
    }
    return out;
}

} // namespace kymata::web
