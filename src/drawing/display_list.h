#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kymata {

/// An RGB colour, each channel 0..255, as the figure's RGB(r, g, b) values give it.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

/// Line pattern of later strokes: `DrawStyle` 0 is solid, 2 is dotted.
enum class LineStyle { Solid, Dotted };

/// The user coordinates set by `Scale`: (left, top) is the top-left corner, (right, bottom)
/// the bottom-right. With top > bottom the y axis points up.
struct UserBox {
    double left = 0;
    double top = 0;
    double right = 1;
    double bottom = 1;
    friend bool operator==(const UserBox&, const UserBox&) = default;
};

/// A straight segment, in user coordinates; width in pixels of the 1000-pixel reference canvas.
struct LineItem {
    float x1, y1, x2, y2;
    Rgb color;
    int width;
    LineStyle style;
    friend bool operator==(const LineItem&, const LineItem&) = default;
};

/// A full circle, or the arc from `start` to `end` (radians, counter-clockwise as the viewer
/// sees the figure, from the positive x axis) when both are set.
struct CircleItem {
    float x, y, r;
    Rgb color;
    int width;
    LineStyle style;
    std::optional<float> start;
    std::optional<float> end;
    friend bool operator==(const CircleItem&, const CircleItem&) = default;
};

/// What a text tells: a plain caption, a counted number at the end of the text (after its last
/// "="), or a number of the running count along the axis. Worksheets blank the counts.
enum class TextRole { Plain, Count, AxisCount };

/// A text whose top-left corner lies at (x, y), turned by `angle` degrees counter-clockwise
/// about that corner. `size` is in points on the 96-dpi, 1000-pixel reference canvas; an empty
/// `font` lets the font mapper choose the face.
struct TextItem {
    float x, y;
    std::string text;
    Rgb color;
    std::string font;
    double size;
    double angle;
    TextRole role = TextRole::Plain;
    friend bool operator==(const TextItem&, const TextItem&) = default;
};

/// A stroke through points in order, (x, y) pairs in user coordinates: one path, so its joins
/// are drawn as joins and a long curve costs one stroke, not one for each piece.
struct PolylineItem {
    std::vector<float> xy;
    Rgb color;
    int width;
    LineStyle style;
    friend bool operator==(const PolylineItem&, const PolylineItem&) = default;
};

using Item = std::variant<LineItem, CircleItem, TextItem, PolylineItem>;

/// A recorded figure: the items drawn since the last clear, in drawing order, all in the user
/// coordinates `box` that were in force at the end.
struct Recording {
    UserBox box;
    std::vector<Item> items;
    friend bool operator==(const Recording&, const Recording&) = default;
};

} // namespace kymata
