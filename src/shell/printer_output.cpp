#include "shell/printer_output.h"

#include "drawing/page_surface.h"
#include "drawing/worksheet.h"
#include "export/page_output.h"

#include <QPainter>
#include <QPrinter>

namespace kymata {

PrintOutcome PrintToPrinter(QPrinter& printer, const Controls& controls, Scene& scene,
                            Labels& labels, Surface& canvas, bool worksheet) {
    const QSizeF printable = printer.pageLayout().paintRect(QPageLayout::Millimeter).size();
    PrinterPage page({printable.width(), printable.height()});
    PrintFigure(controls, scene, labels, canvas, page);
    if (!page.Ended()) {
        return {false, QStringLiteral("The page could not be drawn, so nothing was printed.")};
    }
    printer.setPageOrientation(page.Orientation() == PageSurface::Landscape
                                   ? QPageLayout::Landscape
                                   : QPageLayout::Portrait);
    printer.setDocName(QStringLiteral("Kymata"));
    QPainter painter;
    if (!painter.begin(&printer)) {
        return {false, QStringLiteral("The printer \"%1\" could not be started. Check that it "
                                      "is switched on and set up, then try again.")
                           .arg(printer.printerName())};
    }
    PaintPage(painter, QRectF(painter.viewport()), printer.resolution(),
              worksheet ? Worksheet(page.Figure()) : page.Figure());
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        return {false, QStringLiteral("The print service did not accept the page for \"%1\". "
                                      "Nothing was printed.")
                           .arg(printer.printerName())};
    }
    return {true, {}};
}

} // namespace kymata
