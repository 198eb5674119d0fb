#pragma once

#include "drawing/display_list.h"
#include "export/safe_file.h"
#include "figure/figure_content.h"

#include <QImage>
#include <QString>

#include <optional>
#include <string_view>

namespace kymata {

enum class FigureFormat { Png, Svg, Pdf, Json };

/// The format chosen by the file's extension (.png, .svg, .pdf, .json, any case), or none.
std::optional<FigureFormat> FigureFormatForPath(const QString& path);

/// The recording drawn on a white square image of `size` pixels.
QImage RenderImage(const Recording& recording, int size);

/// Writes `text` to `path`, complete or not at all (`WriteFileSafely`); a failure is said in
/// `language`, as for every writer below.
WriteResult WriteText(const QString& path, const std::string& text, std::string_view language);

/// Writes the figure to `path` in `format`: a PNG of `pngSize` pixels square, an SVG or a
/// square PDF page, or the JSON document. The whole file is made in memory and then written by
/// `WriteFileSafely`: complete or not at all, an existing file replaced only by a complete one.
WriteResult WriteFigure(const QString& path, FigureFormat format, const FigureContent& content,
                        int pngSize, std::string_view language);

/// Writes an SVG of the wave view of `controls` whose crests move through one period of a
/// second and loop, by the SVG's own animation (no script): the still part once, then the
/// crests at `frames` phases, each shown for its share of the period.
WriteResult WriteAnimatedSvg(const QString& path, const Controls& controls,
                             std::string_view language, int frames = 30);

} // namespace kymata
