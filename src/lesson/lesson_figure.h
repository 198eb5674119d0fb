#pragma once

#include "drawing/display_list.h"
#include "figure/figure_content.h"
#include "waves/wave_trace.h"

#include <cstddef>
#include <string_view>

namespace kymata {

/// The rays of the fan that the lesson's figures draw: every third, nine in all, so that a
/// class can follow each one.
inline constexpr int LessonRayStride = 3;
/// The axis ray and the outer ray (the top one) of the fan, which the figures highlight.
inline constexpr std::size_t LessonAxisRay = waves::FanHalf;
inline constexpr std::size_t LessonOuterRay = waves::FanRays - 1;
/// The lesson's first ray above the axis.
inline constexpr std::size_t LessonInnerRay = waves::FanHalf + LessonRayStride;

/// The size of every text of the lesson's figures, in points on the 1000-pixel reference
/// canvas: at least 32 pixels on a 1080-pixel screen, read from the back row.
inline constexpr double LessonTextPoints = 28;

/// Where the glass of a scene lies (user units): the front vertex to the back face, within the
/// rim. No text of a lesson figure lies in it.
UserBox LessonGlassBox(const waves::WaveLens& lens);

/// The figure of beat `beat` of step `step` (both 1-based) in `language`, drawn from the exact
/// tracer with what the beat shows and nothing else: the glass outlined and shaded, the lesson's
/// nine rays as far as the beat needs them, the ticks of whole waves, the wavefronts or the
/// flash's crest, S and F, and on the later beats the step's numbers written large above the
/// scene. The box is square, its texts in `LessonTextPoints`.
Recording DrawBeatFigure(int step, int beat, std::string_view language);

/// What a file of that beat holds: the document of the beat's scene (its controls, read-outs
/// and optics) with the beat's figure as its canvas.
FigureContent BeatFigureContent(int step, int beat, std::string_view language);

} // namespace kymata
