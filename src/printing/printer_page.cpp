#include "printing/printer_page.h"

#include "shell/painter_surface.h"

namespace kymata {

namespace {

constexpr double MmPerInch = 25.4;

} // namespace

PrinterPage::PrinterPage(QSizeF printableMm) : upright_(printableMm) {}

void PrinterPage::SetOrientation(int orientation) {
    orientation_ = orientation == Landscape ? Landscape : Portrait;
}

QSizeF PrinterPage::PrintableMm() const {
    const double shortSide = std::min(upright_.width(), upright_.height());
    const double longSide = std::max(upright_.width(), upright_.height());
    return orientation_ == Landscape ? QSizeF(longSide, shortSide) : QSizeF(shortSide, longSide);
}

double PrinterPage::Width() const {
    return PrintableMm().width() / MmPerInch * 1440;
}

double PrinterPage::Height() const {
    return PrintableMm().height() / MmPerInch * 1440;
}

void PrinterPage::OnScale(const UserBox& previous, const UserBox& box) {
    RecordingSurface::OnScale(previous, box);
    // Sizes on the page are true lengths: a reference pixel is 1/96 inch.
    const QSizeF mm = PrintableMm();
    const QRectF area(0, 0, mm.width() / MmPerInch * ReferenceDpi,
                      mm.height() / MmPerInch * ReferenceDpi);
    ReferenceHeight = FitBox(box, area).height();
}

} // namespace kymata
