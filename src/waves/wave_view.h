#pragma once

#include "drawing/surface.h"
#include "waves/wave_layout.h"
#include "waves/wave_ledger.h"
#include "waves/wave_paths.h"
#include "waves/wave_rays.h"
#include "waves/wave_style.h"
#include "waves/wave_trace.h"

#include <string_view>

namespace kymata {
// Passed by reference only: an edit of the controls rebuilds no file for this header.
struct Controls;
struct Labels;
} // namespace kymata

namespace kymata::waves {

/// Draws the wave view of `trace` on `surface`: the box of `LayOutWaveView` for `aspect`, the
/// glass hatched and outlined, every ray from its start through the lens to the box edge
/// (dimmed where it is held or lost in the glass), the wavefronts joining the points of equal
/// whole count on neighbouring rays (every fifth thicker), the markers of the source, F and
/// the foci, and the ledger's summary in the corner, in the language of `language`.
void DrawWaveView(const WaveTrace& trace, std::string_view language, Surface& surface,
                  double aspect = 1, const CrestOptions& crests = {});

} // namespace kymata::waves
