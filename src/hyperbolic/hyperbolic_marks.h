#pragma once

#include "drawing/surface.h"

#include <string>

namespace kymata {

/// The designed places of the hyperbolic figure's marks and lines of counts, in its user units
/// (y up; the canvas's box runs from -180 to 180 both ways). The screen and the printed page
/// put them at the same heights.
namespace hyperbolic_marks {

/// Half the length of a tick across the axis at a point of it.
inline constexpr double AxisTick = 4;
/// The tick under the target point F, and those above and below the back face.
inline constexpr double FocusTickTop = -20;
inline constexpr double FocusTickBottom = -60;
inline constexpr double BackTickNear = 40;
inline constexpr double BackTickFar = 60;
/// The last stage's ruler marks under the axis (and over it, at the back face and the vertex,
/// whose mark above reaches down to `VertexTickBottom`).
inline constexpr double RulerTop = 80;
inline constexpr double RulerBottom = 105;
inline constexpr double VertexTickBottom = 50;
/// The lines of counts: on the screen the source's above the axis and three below it; when
/// printing, three lines on the canvas's left and three on the page.
inline constexpr double SourceCountY = 140;
inline constexpr double ScreenCountY[3] = {-120, -140, -160};
inline constexpr double PrintedCountY[3] = {-50, -60, -70};
/// The canvas's last line when printing.
inline constexpr double PrintedBackCountY = -160;

} // namespace hyperbolic_marks

/// Writes a line of counts at (x, y): its number, after the last "=", is what a worksheet
/// leaves blank.
void PrintCountAt(Surface& surface, double x, double y, const std::string& text);

} // namespace kymata
