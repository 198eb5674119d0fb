#pragma once

#include "drawing/display_list.h"

#include <string>
#include <vector>

namespace kymata::web {

/// A recording packed for the page to read straight out of the module's memory as 32-bit
/// floats, so that a redraw costs no text: the canvas needs only the items, and the figure
/// document is written only when it is saved.
///
/// Layout: left, top, right, bottom, item count, then each item as its kind and fields:
///   1 line:     x1 y1 x2 y2 colour width style
///   2 circle:   x y r colour width style hasArc start end
///   3 text:     x y colour size angle role string font-string
///   4 polyline: colour width style n x0 y0 ... x(n-1) y(n-1)
/// A colour is 0xRRGGBB (exact in a float); a style 0 solid, 1 dotted; a role 0 plain,
/// 1 count, 2 axis count; string and font-string index `strings`.
struct RecordingBuffer {
    std::vector<float> values;
    std::vector<std::string> strings;
};

/// `recording` packed as above.
RecordingBuffer PackRecording(const Recording& recording);

} // namespace kymata::web
