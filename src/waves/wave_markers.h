#pragma once

#include "drawing/surface.h"
#include "waves/text_placement.h"
#include "waves/wave_layout.h"

#include <string>
#include <string_view>

namespace kymata::waves {

/// The name `marker` has in the figure, in `language`: S, F, or the best or paraxial focus.
std::string MarkerName(Marker marker, std::string_view language);

/// Draws the markers of `layout` on the axis with their names, each name placed clear of the
/// texts already in `placement` and of the glass; a source beyond the figure's left edge is an
/// arrow there (the summary gives its distance).
void DrawMarkers(const WaveTrace& trace, const WaveViewLayout& layout, std::string_view language,
                 TextPlacement& placement, Surface& s);

} // namespace kymata::waves
