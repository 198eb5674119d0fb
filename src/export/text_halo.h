#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QPainter;

namespace kymata {

/// The width of the light halo round every text, as a part of the text's pixel size.
inline constexpr double HaloWidth = 0.22;

/// Draws `words` in `font` and `colour` with the top of its line at the painter's origin, over
/// a light halo: one white stroke, `HaloWidth` of the font's pixel size wide,
/// round the letters' outlines, so that a text reads over the rays and crests behind it from
/// the back of a room.
///
/// Every file holds the text once: on a vector device (PDF, SVG, a printer) the halo is one
/// path under the text, and the text stays a text for those who search or copy it. On a raster
/// device an upright text with its halo is filled from its outlines once into a small image,
/// kept for the texts drawn again at the same size and sub-pixel place, and then only copied:
/// a redraw of a figure whose texts stay puts each text down as one image, alike in every
/// process. A turned text is drawn there as before, its halo eight white copies.
void DrawHaloedText(QPainter& painter, const QFont& font, const QString& words,
                    const QColor& colour);

} // namespace kymata
