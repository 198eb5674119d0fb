#pragma once

#include "drawing/surface.h"

namespace kymata {

/// A surface that keeps what is drawn on it as a display list, in user coordinates.
///
/// It behaves like a canvas: `Cls` forgets the items, and a later `Scale` leaves what is
/// already drawn where it stands on the canvas, so the kept items are re-expressed in the new
/// user coordinates.
class RecordingSurface final : public Surface {
public:
    RecordingSurface();

    const Recording& Figure() const { return recording_; }
    /// Hands the recording over and starts an empty one in the same user coordinates.
    Recording Take();

protected:
    void OnScale(const UserBox& previous, const UserBox& box) override;
    void OnClear() override;
    void OnLine(const LineItem& line) override;
    void OnCircle(const CircleItem& circle) override;
    void OnPolyline(const PolylineItem& polyline) override;
    void OnText(const TextItem& text) override;

private:
    Recording recording_;
};

/// Re-expresses the items of `recording`, drawn in the box `previous`, in the box `box`, so that
/// each stays where it stands on the canvas; `recording.box` becomes `box`.
void RescaleItems(Recording& recording, const UserBox& previous, const UserBox& box);

} // namespace kymata
