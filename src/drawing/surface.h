#pragma once

#include "drawing/display_list.h"

#include <optional>
#include <string>

namespace kymata {

/// The drawing operations that the canvas, the printer page and every export offer.
///
/// The state (user box, text position, pen and font) and the meaning of each operation live
/// here, so every surface behaves alike; a concrete surface only receives finished items.
/// Coordinates are single-precision user coordinates; x grows to the right, and y grows up
/// whenever the box's top is larger than its bottom.
class Surface {
public:
    virtual ~Surface() = default;

    /// Sets the user coordinates: (x1, y1) becomes the top-left corner, (x2, y2) the
    /// bottom-right. Degenerate boxes (x1 == x2 or y1 == y2, or non-finite values) are ignored.
    void Scale(double x1, double y1, double x2, double y2);
    /// Clears to the background; CurrentX/CurrentY go to the top-left corner. The box, colour,
    /// pen and font settings are kept.
    void Cls();
    /// A straight segment; without a colour the `ForeColor` is used.
    void Line(float x1, float y1, float x2, float y2, std::optional<Rgb> color = std::nullopt);
    /// A full circle of radius r about (x, y).
    void Circle(float x, float y, float r, std::optional<Rgb> color = std::nullopt);
    /// One stroke through the points (x0, y0, x1, y1, ...), at least two of them.
    void Polyline(std::vector<float> xy, std::optional<Rgb> color = std::nullopt);
    /// The arc of that circle from `start` to `end`, radians counter-clockwise as seen.
    void Arc(float x, float y, float r, std::optional<Rgb> color, float start, float end);
    /// Writes `text` with its top-left corner at (CurrentX, CurrentY) in the current font,
    /// turned by `FontAngle`, then moves CurrentX to the left edge and CurrentY one line down.
    void Print(const std::string& text);
    /// Ends the page (printer surfaces); nothing for the others.
    virtual void EndDoc() {}
    /// Draws what the surface has gathered and not drawn yet (a painter strokes a run of
    /// segments of one pen together); `Replay` ends with it.
    virtual void Flush() {}

    const UserBox& Box() const { return box_; }
    double ScaleLeft() const { return box_.left; }
    /// Height of one line of text at the current `FontSize`, in user units (always positive).
    double LineHeight() const;

    float CurrentX = 0;
    float CurrentY = 0;
    /// Line width in pixels of the reference canvas.
    int DrawWidth = 1;
    LineStyle DrawStyle = LineStyle::Solid;
    Rgb ForeColor{0, 0, 0};
    std::string FontName = "Times New Roman";
    /// Font size in points.
    double FontSize = 12;
    /// Escapement of the selected font in degrees, counter-clockwise; 0 for ordinary text.
    double FontAngle = 0;
    /// What the next printed texts tell (a caption, or a count that worksheets leave blank).
    TextRole PrintRole = TextRole::Plain;
    /// A factor on every printed text's size, and so on the line height too: 1, or larger for
    /// a class reading from the back of the room (presentation mode), where the lines of a text
    /// stay apart as the letters grow. Files are drawn at 1.
    double TextScale = 1;

    /// Pixels across the reference canvas on which sizes in pixels and points are measured.
    static constexpr double ReferencePixels = 1000;
    /// Dots per inch of the reference canvas.
    static constexpr double ReferenceDpi = 96;
    /// Line spacing of the canvas fonts as a multiple of their size.
    static constexpr double LineSpacing = 1.15;

protected:
    /// Pixels of the reference canvas (1/96 inch on a page) that the box spans from top to
    /// bottom; text lines are measured with it.
    double ReferenceHeight = ReferencePixels;

    virtual void OnScale(const UserBox& previous, const UserBox& box) = 0;
    virtual void OnClear() = 0;
    virtual void OnLine(const LineItem& line) = 0;
    virtual void OnCircle(const CircleItem& circle) = 0;
    virtual void OnText(const TextItem& text) = 0;
    /// A polyline; a surface that draws nothing of its own gets its pieces as lines.
    virtual void OnPolyline(const PolylineItem& polyline);

private:
    UserBox box_{0, 0, Surface::ReferencePixels, Surface::ReferencePixels};
};

/// A rectangle in device coordinates: its top-left corner, width and height.
struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

/// The largest rectangle with the proportions of `box` centred in `area`: one user unit is then
/// the same length across and down. A degenerate box or an empty area gives `area` itself.
Rect FitBox(const UserBox& box, const Rect& area);

/// Draws every item of `recording` on `target`, after setting its box and clearing it.
/// The target's own pen, font and text position are left as they were.
void Replay(const Recording& recording, Surface& target);

} // namespace kymata
