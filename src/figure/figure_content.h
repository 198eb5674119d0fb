#pragma once

#include "construction/controls.h"
#include "drawing/display_list.h"

namespace kymata {

/// What a figure file is made from: the recording and, for JSON, the controls and read-outs.
struct FigureContent {
    Controls controls;
    Labels labels;
    Recording canvas;
    /// The counts of `canvas` are blanked, and the JSON document says so.
    bool worksheet = false;
};

/// The figure that one redraw of `controls` leaves on a fresh canvas, with its read-outs: what
/// `--export` and "Save figure as…" write; as a worksheet, with the counts left blank.
FigureContent DrawFigureContent(const Controls& controls, bool worksheet = false);

} // namespace kymata
