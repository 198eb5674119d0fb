#include "shell/printer_output.h"

#include "drawing/page_surface.h"
#include "drawing/worksheet.h"
#include "export/page_output.h"
#include "export/said.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <utility>

namespace kymata {

PrintOutcome PrintToPrinter(QPrinter& printer, const Controls& controls, Scene& scene,
                            Labels& labels, Surface& canvas, bool worksheet) {
    const std::string_view language = TextLanguage(controls);
    const QSizeF printable = printer.pageLayout().paintRect(QPageLayout::Millimeter).size();
    PrinterPage page({printable.width(), printable.height()});
    PrintFigure(controls, scene, labels, canvas, page);
    if (!page.Ended()) {
        return {false, Said("print.notDrawn", language), {}};
    }
    printer.setPageOrientation(page.Orientation() == PageSurface::Landscape
                                   ? QPageLayout::Landscape
                                   : QPageLayout::Portrait);
    const Recording printed = worksheet ? Worksheet(page.Figure()) : page.Figure();
    // The page as a PDF of the printer's layout, made in memory: for the window to write when
    // printing to a file, else to hand to the print service.
    const QString title = Said("export.title.page", language);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(printer.pageLayout());
        writer.setResolution(printer.resolution());
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Kymata"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            return {false, Said("print.pdfFailed", language), {}};
        }
        PaintPage(painter, QRectF(painter.viewport()), writer.resolution(), printed);
        painter.end();
    }
    buffer.close();
    if (!printer.outputFileName().isEmpty()) {
        return {true, {}, {}, PrintedFile{printer.outputFileName(), buffer.data()}};
    }
    return {true, {}, RequestFor(printer, buffer.data(), title), {}};
}

PrintRequest RequestFor(const QPrinter& printer, QByteArray pdf, const QString& title) {
    PrintRequest request;
    request.printer = printer.printerName().toStdString();
    request.pdf = std::move(pdf);
    request.title = title.toStdString();
    request.copies = printer.copyCount();
    request.media = printer.pageLayout().pageSize().key().toStdString();
    switch (printer.duplex()) {
    case QPrinter::DuplexLongSide:
        request.sides = "two-sided-long-edge";
        break;
    case QPrinter::DuplexShortSide:
        request.sides = "two-sided-short-edge";
        break;
    case QPrinter::DuplexNone:
        request.sides = "one-sided";
        break;
    case QPrinter::DuplexAuto:
        break;
    }
    return request;
}

} // namespace kymata
