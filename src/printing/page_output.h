#pragma once

#include "construction/controls.h"
#include "construction/scene.h"
#include "printing/printer_page.h"
#include "shell/display_list.h"
#include "shell/figure_export.h"

#include <QRectF>
#include <QSizeF>

class QPainter;

namespace kymata {

/// What PRINT prints: the construction that `YPERVOLIKO` selects, on a landscape page, through
/// `PrintHyperbolicConstruction` or `PrintSphericalConstruction`.
void PrintConstruction(const Controls& controls, Scene& scene, Labels& labels, Surface& canvas,
                       PageSurface& page);

/// Draws a recorded page on a printer or PDF device: its user box centred in `printable`
/// (device coordinates) with one unit the same length across and down, and sizes in points and
/// pixels as true lengths at `dpi`.
void PaintPage(QPainter& painter, const QRectF& printable, double dpi, const Recording& page);

/// The printable area of the A4 page that `--print-to` writes, upright, in millimetres: the
/// paper less a margin of 10 mm all round.
QSizeF PrintToPrintableMm();

/// Writes the recorded page as a one-page A4 landscape PDF, complete or not at all.
WriteResult WritePagePdf(const QString& path, const Recording& page);

} // namespace kymata
