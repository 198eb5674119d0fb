#pragma once

#include "construction/scene.h"
#include "drawing/display_list.h"
#include "drawing/page_surface.h"
#include "export/figure_export.h"
#include "printing/print_jobs.h"

#include <QRectF>

#include <string_view>

class QPainter;

namespace kymata {

// Passed by reference only: an edit of the controls rebuilds no file for this header.
struct Controls;
struct Labels;

/// Draws a recorded page on a printer or PDF device: its user box centred in `printable`
/// (device coordinates) with one unit the same length across and down, and sizes in points and
/// pixels as true lengths at `dpi`.
void PaintPage(QPainter& painter, const QRectF& printable, double dpi, const Recording& page);

/// Writes the recorded page as a one-page A4 landscape PDF, complete or not at all, titled in
/// the page's language `pageLanguage`; a failure is said in `language`.
WriteResult WritePagePdf(const QString& path, const Recording& page, std::string_view pageLanguage,
                         std::string_view language);

} // namespace kymata
