#include "export/page_output.h"

#include "export/said.h"

#include "export/painter_surface.h"
#include "printing/print_jobs.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace kymata {

namespace {

constexpr double PdfMarginMm = PrintToMarginMm;

} // namespace

void PaintPage(QPainter& painter, const QRectF& printable, double dpi, const Recording& page) {
    PainterSurface surface(painter, printable, dpi / Surface::ReferenceDpi);
    Replay(page, surface);
}

WriteResult WritePagePdf(const QString& path, const Recording& page, std::string_view pageLanguage,
                         std::string_view language) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                        QMarginsF(PdfMarginMm, PdfMarginMm, PdfMarginMm, PdfMarginMm),
                        QPageLayout::Millimeter));
        writer.setResolution(600);
        writer.setTitle(Said("export.title.page", pageLanguage));
        writer.setCreator(QStringLiteral("Kymata"));
        const WriteResult failed = WriteFailure(path, Said("write.pdfNoPage", language), language);
        QPainter painter;
        if (!painter.begin(&writer)) {
            return failed;
        }
        PaintPage(painter, QRectF(painter.viewport()), writer.resolution(), page);
        if (!painter.end()) {
            return failed;
        }
    }
    buffer.close();
    return WriteFileSafely(path, buffer.data(), language);
}

} // namespace kymata
