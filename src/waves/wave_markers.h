#pragma once

#include "drawing/surface.h"
#include "waves/wave_layout.h"

#include <string>
#include <string_view>

namespace kymata::waves {

/// The name `marker` has in the figure, in `language`: S, F, or the best or paraxial focus.
std::string MarkerName(Marker marker, std::string_view language);

/// Draws the markers of `layout` on the axis with their names, kept clear of the summary above
/// `summaryBottom` and of the counts beside the back face; a source beyond the figure's left
/// edge is an arrow there with its distance in words.
void DrawMarkers(const WaveTrace& trace, const WaveViewLayout& layout, std::string_view language,
                 double summaryBottom, Surface& s);

} // namespace kymata::waves
