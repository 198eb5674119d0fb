#include "export/page_output.h"

#include "export/painter_surface.h"
#include "printing/print_jobs.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace kymata {

namespace {

constexpr double PdfMarginMm = PrintToMarginMm;

} // namespace

void PaintPage(QPainter& painter, const QRectF& printable, double dpi, const Recording& page) {
    PainterSurface surface(painter, printable, dpi / Surface::ReferenceDpi);
    Replay(page, surface);
}

WriteResult WritePagePdf(const QString& path, const Recording& page) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return {false, QStringLiteral("cannot write %1: %2").arg(path, file.errorString())};
    }
    QPdfWriter writer(&file);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(PdfMarginMm, PdfMarginMm, PdfMarginMm, PdfMarginMm),
                                     QPageLayout::Millimeter));
    writer.setResolution(600);
    writer.setTitle(QStringLiteral("Kymata construction"));
    writer.setCreator(QStringLiteral("Kymata"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        file.cancelWriting();
        return {false, QStringLiteral("cannot write %1: the PDF writer could not start").arg(path)};
    }
    PaintPage(painter, QRectF(painter.viewport()), writer.resolution(), page);
    painter.end();
    if (!file.commit()) {
        return {false, QStringLiteral("cannot write %1: %2").arg(path, file.errorString())};
    }
    return {true, {}};
}

} // namespace kymata
