#pragma once

#include "drawing/display_list.h"
#include "figure/figure_content.h"
#include "waves/wave_trace.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kymata {

// Passed by reference only: an edit of the controls rebuilds no file for this header.
struct Controls;
struct Labels;

/// The figure as a JSON document (UTF-8): the controls, the four read-outs and the canvas
/// recording ("scale": [left, top, right, bottom] and "items" in drawing order). `page`, when
/// given, adds the printed page in the same shape as "canvas"; a worksheet records
/// "worksheet": true. Coordinates are written in their shortest exact form, colours as
/// lower-case "#rrggbb". A view other than the classic one is named after the controls
/// ("view": "waves"); `waves`, the wave view's optics when given, follow the read-outs as
/// "waves". A classic document has neither.
std::string FigureJson(const Controls& controls, const Labels& labels, const Recording& canvas,
                       const std::optional<Recording>& page = std::nullopt, bool worksheet = false,
                       const waves::WaveTrace* waves = nullptr,
                       const std::vector<std::pair<std::string, std::string>>& more = {});

/// The document of `content`, with `page` when given, and its further members at the end.
std::string FigureJson(const FigureContent& content,
                       const std::optional<Recording>& page = std::nullopt);

} // namespace kymata
