#pragma once

#include "drawing/display_list.h"

#include <string>

namespace kymata {

/// The blank that a worksheet shows where a count stood.
inline constexpr const char* WorksheetBlank = "____";

/// The same figure with every counted number left blank for students to fill in: a count's
/// text keeps everything up to its last "=" and shows the blank instead of the number, and the
/// running count along the axis is left out. Every other item is unchanged.
Recording Worksheet(const Recording& figure);

/// The text of a count with its number blanked: "#L = 14.0" becomes "#L = ____".
std::string BlankCount(const std::string& text);

} // namespace kymata
