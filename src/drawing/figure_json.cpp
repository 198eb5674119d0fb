#include "drawing/figure_json.h"

#include "drawing/number_text.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <type_traits>

namespace kymata {

namespace {

std::string ColorText(const Rgb& c) {
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "#%02x%02x%02x", c.r, c.g, c.b);
    return text.data();
}

const char* StyleText(LineStyle style) {
    return style == LineStyle::Dotted ? "dotted" : "solid";
}

std::string ItemJson(const Item& item) {
    return std::visit(
        [](const auto& it) {
            using T = std::decay_t<decltype(it)>;
            JsonObject o(",");
            if constexpr (std::is_same_v<T, LineItem>) {
                o.Add("type", "line").Add("x1", it.x1).Add("y1", it.y1);
                o.Add("x2", it.x2).Add("y2", it.y2).Add("color", ColorText(it.color));
                o.Add("width", it.width).Add("style", StyleText(it.style));
            } else if constexpr (std::is_same_v<T, PolylineItem>) {
                std::string points = "[";
                for (std::size_t i = 0; i + 1 < it.xy.size(); i += 2) {
                    points.append(i > 0 ? ",[" : "[")
                        .append(JsonNumber(it.xy[i]))
                        .append(1, ',')
                        .append(JsonNumber(it.xy[i + 1]))
                        .append(1, ']');
                }
                points.append(1, ']');
                o.Add("type", "polyline").Raw("points", points);
                o.Add("color", ColorText(it.color)).Add("width", it.width);
                o.Add("style", StyleText(it.style));
            } else if constexpr (std::is_same_v<T, CircleItem>) {
                o.Add("type", "circle").Add("x", it.x).Add("y", it.y).Add("r", it.r);
                o.Add("color", ColorText(it.color)).Add("width", it.width);
                o.Add("style", StyleText(it.style));
                if (it.start && it.end) {
                    o.Add("start", *it.start).Add("end", *it.end);
                }
            } else {
                o.Add("type", "text").Add("x", it.x).Add("y", it.y).Add("text", it.text);
                o.Add("color", ColorText(it.color)).Add("font", it.font);
                o.Add("size", it.size).Add("angle", it.angle);
            }
            return o.Text();
        },
        item);
}

template <typename T> std::string FiniteOrNull(T value) {
    return std::isfinite(value) ? ShortestText(value) : "null";
}

} // namespace

std::string JsonNumber(double value) {
    return FiniteOrNull(value);
}

std::string JsonNumber(float value) {
    return FiniteOrNull(value);
}

std::string JsonNumber(int value) {
    return std::to_string(value);
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                std::array<char, 8> escaped{};
                std::snprintf(escaped.data(), escaped.size(), "\\u%04x", c);
                out += escaped.data();
            } else {
                out += ch;
            }
        }
    }
    out += '"';
    return out;
}

JsonObject& JsonObject::Raw(std::string_view key, std::string_view json) {
    if (!members_.empty()) {
        members_ += separator_;
    }
    members_ += JsonString(key);
    members_ += ':';
    members_ += json;
    return *this;
}

std::string RecordingJson(const Recording& recording) {
    const UserBox& b = recording.box;
    std::string out;
    out.reserve(64 + 160 * recording.items.size());
    out += "{\"scale\":[" + JsonNumber(b.left) + "," + JsonNumber(b.top) + "," +
           JsonNumber(b.right) + "," + JsonNumber(b.bottom) + "],\"items\":[";
    bool first = true;
    for (const Item& item : recording.items) {
        out += first ? "\n    " : ",\n    ";
        first = false;
        out += ItemJson(item);
    }
    out += first ? "]}" : "\n  ]}";
    return out;
}

std::string DocumentJson(const std::vector<std::pair<std::string, std::string>>& members) {
    std::string out = "{";
    const char* separator = "\n";
    for (const auto& [key, value] : members) {
        out += separator;
        out += "  " + JsonString(key) + ": " + value;
        separator = ",\n";
    }
    out += "\n}\n";
    return out;
}

} // namespace kymata
