#include "printing/page_output.h"

#include "printing/print_jobs.h"
#include "shell/painter_surface.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace kymata {

namespace {

constexpr double PdfMarginMm = 10;

} // namespace

void PrintConstruction(const Controls& controls, Scene& scene, Labels& labels, Surface& canvas,
                       PageSurface& page) {
    if (controls.YPERVOLIKO) {
        page.SetOrientation(PageSurface::Landscape);
        PrintHyperbolicConstruction(controls, scene, labels, canvas, page);
        return;
    }
    PrintSphericalConstruction(controls, scene, page);
}

void PaintPage(QPainter& painter, const QRectF& printable, double dpi, const Recording& page) {
    PainterSurface surface(painter, printable, dpi / Surface::ReferenceDpi);
    Replay(page, surface);
}

QSizeF PrintToPrintableMm() {
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    return {a4.width() - 2 * PdfMarginMm, a4.height() - 2 * PdfMarginMm};
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
