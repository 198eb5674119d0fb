#pragma once

#include "construction/controls.h"
#include "construction/scene.h"
#include "drawing/display_list.h"
#include "drawing/page_surface.h"
#include "export/figure_export.h"
#include "printing/print_jobs.h"

#include <QRectF>

class QPainter;

namespace kymata {

/// Draws a recorded page on a printer or PDF device: its user box centred in `printable`
/// (device coordinates) with one unit the same length across and down, and sizes in points and
/// pixels as true lengths at `dpi`.
void PaintPage(QPainter& painter, const QRectF& printable, double dpi, const Recording& page);

/// Writes the recorded page as a one-page A4 landscape PDF, complete or not at all.
WriteResult WritePagePdf(const QString& path, const Recording& page);

} // namespace kymata
