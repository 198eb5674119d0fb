#include "shell/printer_output.h"

#include "drawing/page_surface.h"
#include "drawing/worksheet.h"
#include "export/page_output.h"
#include "export/safe_file.h"
#include "export/said.h"
#include "shell/print_service.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace kymata {

PrintOutcome PrintToPrinter(QPrinter& printer, const Controls& controls, Scene& scene,
                            Labels& labels, Surface& canvas, bool worksheet) {
    const std::string_view language = TextLanguage(controls);
    const QSizeF printable = printer.pageLayout().paintRect(QPageLayout::Millimeter).size();
    PrinterPage page({printable.width(), printable.height()});
    PrintFigure(controls, scene, labels, canvas, page);
    if (!page.Ended()) {
        return {false, Said("print.notDrawn", language)};
    }
    printer.setPageOrientation(page.Orientation() == PageSurface::Landscape
                                   ? QPageLayout::Landscape
                                   : QPageLayout::Portrait);
    printer.setDocName(QStringLiteral("Kymata"));
    const Recording printed = worksheet ? Worksheet(page.Figure()) : page.Figure();
    if (!printer.outputFileName().isEmpty()) {
        // Printing to a file: the PDF is made in memory and written as every file is written,
        // complete or not at all, with the reason when it cannot be.
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setPageLayout(printer.pageLayout());
            writer.setResolution(printer.resolution());
            writer.setTitle(Said("export.title.page", language));
            writer.setCreator(QStringLiteral("Kymata"));
            QPainter painter;
            if (!painter.begin(&writer)) {
                return {false, Said("print.pdfFailed", language)};
            }
            PaintPage(painter, QRectF(painter.viewport()), writer.resolution(), printed);
            painter.end();
        }
        buffer.close();
        const WriteResult written =
            WriteFileSafely(printer.outputFileName(), buffer.data(), language);
        if (!written.ok) {
            return {false, Said("print.fileFailed", language, {written.error})};
        }
        return {true, {}};
    }
    const QDateTime sent = QDateTime::currentDateTime();
    QPainter painter;
    if (!painter.begin(&printer)) {
        return {false, Said("print.cannotStart", language, {printer.printerName()})};
    }
    PaintPage(painter, QRectF(painter.viewport()), printer.resolution(), printed);
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        return {false, Said("print.notAccepted", language, {printer.printerName()})};
    }
    // Handing the page over says nothing of what the print service made of it: ask it.
    if (const auto problem = PrintServiceProblem(printer.printerName(), sent, language)) {
        return {false, *problem};
    }
    return {true, {}};
}

} // namespace kymata
