#include "shell/figure_json.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <type_traits>

namespace kymata {

namespace {

template <typename T> void AppendNumber(std::string& out, T value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), result.ptr);
}

void AppendString(std::string& out, const std::string& text) {
    out += '"';
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
}

std::string ColorText(const Rgb& c) {
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "#%02x%02x%02x", c.r, c.g, c.b);
    return text.data();
}

/// Appends `separator`, then `"key":` followed by the value.
template <typename T>
void AppendField(std::string& out, const char* separator, const char* key, const T& value) {
    out += separator;
    out += '"';
    out += key;
    out += "\":";
    if constexpr (std::is_same_v<T, std::string>) {
        AppendString(out, value);
    } else if constexpr (std::is_same_v<T, bool>) {
        out += value ? "true" : "false";
    } else {
        AppendNumber(out, value);
    }
}

const char* StyleText(LineStyle style) {
    return style == LineStyle::Dotted ? "dotted" : "solid";
}

void AppendItem(std::string& out, const Item& item) {
    std::visit(
        [&out](const auto& it) {
            using T = std::decay_t<decltype(it)>;
            out += '{';
            if constexpr (std::is_same_v<T, LineItem>) {
                AppendField(out, "", "type", std::string("line"));
                AppendField(out, ",", "x1", it.x1);
                AppendField(out, ",", "y1", it.y1);
                AppendField(out, ",", "x2", it.x2);
                AppendField(out, ",", "y2", it.y2);
                AppendField(out, ",", "color", ColorText(it.color));
                AppendField(out, ",", "width", it.width);
                AppendField(out, ",", "style", std::string(StyleText(it.style)));
            } else if constexpr (std::is_same_v<T, CircleItem>) {
                AppendField(out, "", "type", std::string("circle"));
                AppendField(out, ",", "x", it.x);
                AppendField(out, ",", "y", it.y);
                AppendField(out, ",", "r", it.r);
                AppendField(out, ",", "color", ColorText(it.color));
                AppendField(out, ",", "width", it.width);
                AppendField(out, ",", "style", std::string(StyleText(it.style)));
                if (it.start && it.end) {
                    AppendField(out, ",", "start", *it.start);
                    AppendField(out, ",", "end", *it.end);
                }
            } else {
                AppendField(out, "", "type", std::string("text"));
                AppendField(out, ",", "x", it.x);
                AppendField(out, ",", "y", it.y);
                AppendField(out, ",", "text", it.text);
                AppendField(out, ",", "color", ColorText(it.color));
                AppendField(out, ",", "font", it.font);
                AppendField(out, ",", "size", it.size);
                AppendField(out, ",", "angle", it.angle);
            }
            out += '}';
        },
        item);
}

void AppendRecording(std::string& out, const Recording& recording) {
    const UserBox& b = recording.box;
    out += "{\"scale\":[";
    AppendNumber(out, b.left);
    out += ',';
    AppendNumber(out, b.top);
    out += ',';
    AppendNumber(out, b.right);
    out += ',';
    AppendNumber(out, b.bottom);
    out += "],\"items\":[";
    bool first = true;
    for (const Item& item : recording.items) {
        out += first ? "\n    " : ",\n    ";
        first = false;
        AppendItem(out, item);
    }
    out += first ? "]}" : "\n  ]}";
}

} // namespace

std::string FigureJson(const Controls& controls, const Labels& labels, const Recording& canvas,
                       const std::optional<Recording>& page, bool worksheet) {
    std::string out;
    out.reserve(256 + 160 * canvas.items.size());
    out += "{\n  \"controls\": {";
    AppendField(out, "", "source", controls.initial_POINT);
    AppendField(out, ", ", "focus", controls.fOCUS_POINT);
    AppendField(out, ", ", "index", controls.n_DIATHLASI);
    AppendField(out, ", ", "thickness", controls.pachos);
    AppendField(out, ", ", "hyperbola", controls.YPERVOLIKO);
    AppendField(out, ", ", "parallelBeam", controls.f_apeiro);
    AppendField(out, ", ", "language", std::string(controls.ELLINIKA ? "el" : "en"));
    out += "},\n";
    if (worksheet) {
        out += "  \"worksheet\": true,\n";
    }
    out += "  \"labels\": {";
    AppendField(out, "", "Label1", labels.Label1);
    AppendField(out, ", ", "Label2", labels.Label2);
    AppendField(out, ", ", "Label3", labels.Label3);
    AppendField(out, ", ", "Label4", labels.Label4);
    out += "},\n  \"canvas\": ";
    AppendRecording(out, canvas);
    if (page) {
        out += ",\n  \"page\": ";
        AppendRecording(out, *page);
    }
    out += "\n}\n";
    return out;
}

} // namespace kymata
