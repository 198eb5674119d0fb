#pragma once

#include "drawing/surface.h"
#include "waves/wave_lens.h"

namespace kymata::waves {

/// Draws the glass of `lens` in `box`: hatched with a light tint, outlined by its faces (the
/// perfect surface through its own computed points, with the sphere of the classic figure
/// dotted beside it).
void DrawGlass(const WaveLens& lens, Surface& s, const UserBox& box);

} // namespace kymata::waves
