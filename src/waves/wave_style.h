#pragma once

#include "drawing/surface.h"
#include "waves/optics.h"

#include <string>

namespace kymata::waves {

/// The wave view's colours: black for the axis, texts and marks; the glass a light tint with a
/// blue edge; rays red, grey where they are held or lost in the glass; crests blue; the best
/// focus green, the paraxial focus purple.
inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb GlassTint{206, 226, 246};
inline constexpr Rgb GlassEdge{20, 60, 140};
inline constexpr Rgb RayColour{200, 30, 30};
inline constexpr Rgb LostRay{165, 165, 165};
inline constexpr Rgb Wavefront{0, 90, 190};
inline constexpr Rgb BestColour{0, 130, 0};
inline constexpr Rgb ParaxialColour{160, 0, 160};

/// The size of every text the wave view draws, in points on the 1000-pixel reference canvas.
inline constexpr double WaveTextPoints = 14;

/// The type of presentation mode, read from across a hall, as a multiple of the normal type.
inline constexpr double PresentationTextScale = 1.5;

/// A straight stroke from p to q in the surface's current width and style.
inline void Segment(Surface& s, Vec2 p, Vec2 q, Rgb colour) {
    s.Line(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(q.x),
           static_cast<float>(q.y), colour);
}

/// The same, from (x1, y1) to (x2, y2).
inline void Segment(Surface& s, double x1, double y1, double x2, double y2, Rgb colour) {
    Segment(s, Vec2{x1, y1}, Vec2{x2, y2}, colour);
}

/// `text` with its top-left corner at (x, y), in `colour`, in the `role` a worksheet reads.
inline void Label(Surface& s, double x, double y, const std::string& text, Rgb colour,
                  TextRole role = TextRole::Plain) {
    s.ForeColor = colour;
    s.PrintRole = role;
    s.CurrentX = static_cast<float>(x);
    s.CurrentY = static_cast<float>(y);
    s.Print(text);
    s.PrintRole = TextRole::Plain;
}

/// Clears `surface` and sets it up as the wave view draws on it: the user box `box` (y up), its
/// type at `WaveTextPoints`, read from the back of a classroom, and solid strokes.
inline void BeginWaveSurface(Surface& surface, const UserBox& box) {
    surface.Cls();
    surface.Scale(box.left, box.top, box.right, box.bottom);
    surface.FontName = "Arial";
    surface.FontSize = WaveTextPoints;
    surface.FontAngle = 0;
    surface.DrawStyle = LineStyle::Solid;
}

} // namespace kymata::waves
