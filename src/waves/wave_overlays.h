#pragma once

#include "drawing/surface.h"
#include "waves/text_placement.h"
#include "waves/wave_trace.h"

#include <optional>
#include <vector>

namespace kymata::waves {

/// A ray's phase difference from the axis ray at F, the fraction of a wave by which its count
/// differs from the axial one (whole waves aside), against `PhaseLimit` (1/8) and
/// `PhaseLimitWide` (1/4).
enum class PhaseClass {
    /// Within 1/8 of a wave: its crests reach F together with the axis ray's.
    InStep,
    /// From 1/8 to 1/4 of a wave.
    NearlyInStep,
    /// More than 1/4 of a wave off.
    OutOfStep,
};

/// The class of the path difference `opd` (in waves), taken modulo whole waves.
PhaseClass ClassifyPhase(double opd);

/// How a ray after the lens is drawn for its class: a colour that colour-blind viewers tell
/// apart (Okabe and Ito's bluish green, orange, vermillion) and a line width and style that
/// tell the classes apart in greyscale too.
struct PhaseStyle {
    Rgb colour;
    int width;
    LineStyle style;
};
PhaseStyle StyleOf(PhaseClass phase);

/// The rays whose count at F the figure writes beside them: k = 0, ±4, ±8, ±12.
bool WritesItsCount(int k);

/// Where a ray's count at F is written: its top-left corner (y up), one line of `line` user
/// units high.
struct CountLabel {
    const TracedRay* ray;
    double x;
    double y;
};

/// The written counts of `trace` in a column beside the back face, each at its ray's exit
/// height where there is room, spread a line apart where the exits lie closer.
std::vector<CountLabel> ArrivalCountLabels(const WaveTrace& trace, const UserBox& box, double line);

/// The written counts of `trace` placed in one column clear of the texts and insets already in
/// `placement` and of the glass: beside the back face, moved up or down a line at a time or
/// farther right where they would meet one; their room is then taken.
std::vector<CountLabel> PlaceArrivalCounts(const WaveTrace& trace, const UserBox& box,
                                           const Surface& s, TextPlacement& placement);

/// The helps that make the wave view's point at a glance, drawn over it in `box`: each written
/// ray's count at F at its placed label, tied to where it leaves the lens, in its phase class's
/// colour (worksheets blank them); a key to the classes; an "in step at F" meter (0-100 %); and a
/// fan plot of each ray's count less the axial one against its entry height, with the bands
/// within `PhaseLimit` of every whole wave shaded.
void DrawArrivalCounts(const std::vector<CountLabel>& labels, const UserBox& box, Surface& s);
void DrawPhaseKey(const UserBox& box, std::string_view language, Surface& s);
void DrawInStepMeter(const WaveTrace& trace, const UserBox& box, std::string_view language,
                     Surface& s);
void DrawFanPlot(const WaveTrace& trace, const UserBox& box, std::string_view language, Surface& s);

/// The corner rectangles the key with the meter and the fan plot take, in box units (left,
/// top, right, bottom with top > bottom), so that the layout keeps other texts clear of them.
UserBox KeyArea(const UserBox& box);
UserBox FanPlotArea(const UserBox& box);

} // namespace kymata::waves
