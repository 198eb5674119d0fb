#pragma once

#include "drawing/recording_surface.h"
#include "drawing/surface.h"

namespace kymata {

/// A width and a height in millimetres.
struct SizeMm {
    double width = 0;
    double height = 0;
    friend bool operator==(const SizeMm&, const SizeMm&) = default;
};

/// A printer page as the print jobs see it: a drawing surface with the page's printable size
/// and orientation, and the end of the document.
class PageSurface : public Surface {
public:
    /// Orientation values as the print jobs set them.
    static constexpr int Portrait = 1;
    static constexpr int Landscape = 2;

    /// A page whose printable area is `printableMm` (width and height in millimetres; which
    /// side is which does not matter, the orientation decides).
    explicit PageSurface(SizeMm printableMm);

    void SetOrientation(int orientation);
    int Orientation() const { return orientation_; }
    /// The printable width and height in twips (1/1440 inch) in the current orientation.
    double Width() const;
    double Height() const;
    /// The printable area in millimetres in the current orientation.
    SizeMm PrintableMm() const;

    void EndDoc() override { ended_ = true; }
    /// True once the job has ended the document: only then is the page sent.
    bool Ended() const { return ended_; }

protected:
    /// Sizes on a page are true lengths, a reference pixel being 1/96 inch: derived pages call
    /// this from their own `OnScale`.
    void OnScale(const UserBox& previous, const UserBox& box) override;

private:
    SizeMm printable_;
    int orientation_ = Portrait;
    bool ended_ = false;
};

/// A page kept as a recording, to be sent to a printer or a PDF once the job has ended it.
class PrinterPage final : public PageSurface {
public:
    using PageSurface::PageSurface;

    const Recording& Figure() const { return recording_; }

protected:
    void OnScale(const UserBox& previous, const UserBox& box) override;
    void OnClear() override { recording_.items.clear(); }
    void OnLine(const LineItem& line) override { recording_.items.emplace_back(line); }
    void OnCircle(const CircleItem& circle) override { recording_.items.emplace_back(circle); }
    void OnPolyline(const PolylineItem& polyline) override {
        recording_.items.emplace_back(polyline);
    }
    void OnText(const TextItem& text) override { recording_.items.emplace_back(text); }

private:
    Recording recording_{Box(), {}};
};

} // namespace kymata
