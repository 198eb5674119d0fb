#pragma once

#include "shell/recording_surface.h"

#include <QSizeF>

namespace kymata {

/// A printer page as the print jobs draw on it: a recording of the page, with the page's
/// printable size and orientation, sent to a printer or a PDF once the job has ended it.
class PrinterPage final : public RecordingSurface {
public:
    /// Orientation values as the print jobs set them.
    static constexpr int Portrait = 1;
    static constexpr int Landscape = 2;

    /// A page whose printable area is `printableMm` (width and height in millimetres, as the
    /// paper stands upright).
    explicit PrinterPage(QSizeF printableMm);

    void SetOrientation(int orientation);
    int Orientation() const { return orientation_; }
    /// The printable width and height in twips (1/1440 inch) in the current orientation.
    double Width() const;
    double Height() const;
    /// The printable area in millimetres in the current orientation.
    QSizeF PrintableMm() const;

    void EndDoc() override { ended_ = true; }
    /// True once the job has ended the document: only then is the page sent.
    bool Ended() const { return ended_; }

protected:
    void OnScale(const UserBox& previous, const UserBox& box) override;

private:
    QSizeF upright_;
    int orientation_ = Portrait;
    bool ended_ = false;
};

} // namespace kymata
