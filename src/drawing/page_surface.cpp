#include "drawing/page_surface.h"

#include <algorithm>

namespace kymata {

namespace {

constexpr double MmPerInch = 25.4;

} // namespace

PageSurface::PageSurface(SizeMm printableMm) : printable_(printableMm) {}

void PageSurface::SetOrientation(int orientation) {
    orientation_ = orientation == Landscape ? Landscape : Portrait;
}

SizeMm PageSurface::PrintableMm() const {
    const double shortSide = std::min(printable_.width, printable_.height);
    const double longSide = std::max(printable_.width, printable_.height);
    return orientation_ == Landscape ? SizeMm{longSide, shortSide} : SizeMm{shortSide, longSide};
}

double PageSurface::Width() const {
    return PrintableMm().width / MmPerInch * 1440;
}

double PageSurface::Height() const {
    return PrintableMm().height / MmPerInch * 1440;
}

void PageSurface::OnScale(const UserBox&, const UserBox& box) {
    const SizeMm mm = PrintableMm();
    const Rect area{0, 0, mm.width / MmPerInch * ReferenceDpi,
                    mm.height / MmPerInch * ReferenceDpi};
    ReferenceHeight = FitBox(box, area).height;
}

void PrinterPage::OnScale(const UserBox& previous, const UserBox& box) {
    PageSurface::OnScale(previous, box);
    RescaleItems(recording_, previous, box);
}

} // namespace kymata
