#pragma once

#include "construction/controls.h"
#include "drawing/display_list.h"
#include "drawing/page_surface.h"

#include "waves/wave_trace.h"
#include "waves/wave_view.h"
#include <vector>

#include <optional>
#include <string>
#include <utility>

namespace kymata {

/// What a figure file is made from: the recording and, for JSON, the controls and read-outs.
struct FigureContent {
    Controls controls;
    Labels labels;
    Recording canvas;
    /// The counts of `canvas` are blanked, and the JSON document says so.
    bool worksheet = false;
    /// The wave view's optics, when the figure is the wave view.
    std::optional<waves::WaveTrace> waves;
    /// Members a layer above the figure adds at the end of the JSON document, as name and JSON
    /// text: the lesson's step.
    std::vector<std::pair<std::string, std::string>> moreMembers;
};

/// The figure that one redraw of `controls` leaves on a fresh canvas, with its read-outs: what
/// `--export` and "Save figure as…" write; as a worksheet, with the counts left blank.
FigureContent DrawFigureContent(const Controls& controls, bool worksheet = false);

/// One layer of the wave view of `controls` at its phase or flash: all but the crests (the still
/// part while the waves move), or the crests alone; its texts `textScale` times their size.
/// Frames of one scene share its optics, traced once.
Recording DrawWaveLayer(const Controls& controls, waves::CrestOptions::Layer layer,
                        double textScale = 1);

/// The wave view of `controls` split for an animation of one period: the still part (all but
/// the crests), and the crests alone at the phases 0, 1/frames, 2/frames, ...
struct AnimationContent {
    Recording still;
    std::vector<Recording> crests;
};
AnimationContent DrawAnimationContent(const Controls& controls, int frames);

/// The page that PRINT prints after one redraw of `controls`, on a page of `printableMm`, with
/// what printing leaves on the canvas and the read-outs; as a worksheet, both with the counts
/// left blank.
struct PrintedContent {
    FigureContent content;
    Recording page;
    bool ended = false;
    int orientation = 0;
};
PrintedContent PrintFigureContent(const Controls& controls, bool worksheet, SizeMm printableMm);

} // namespace kymata
