#pragma once

#include "shell/surface.h"

#include <QRectF>

class QPainter;

namespace kymata {

/// A surface that draws at once through a QPainter: on an image, an SVG or PDF generator, a
/// printer page or a widget.
///
/// The user box is mapped onto `target` (device coordinates of the painter). Widths in pixels
/// and font sizes in points are those of the 1000-pixel, 96-dpi reference canvas, scaled to the
/// target, so a figure looks the same at every size. Strokes are antialiased and clipped to the
/// target; items with a non-finite coordinate are not drawn.
class PainterSurface final : public Surface {
public:
    PainterSurface(QPainter& painter, const QRectF& target);

    /// Device pixels per reference pixel.
    double Zoom() const { return zoom_; }

protected:
    void OnScale(const UserBox& previous, const UserBox& box) override;
    void OnClear() override;
    void OnLine(const LineItem& line) override;
    void OnCircle(const CircleItem& circle) override;
    void OnText(const TextItem& text) override;

private:
    QPointF ToDevice(double x, double y) const;
    void UsePen(const Rgb& color, int width, LineStyle style);

    QPainter& painter_;
    QRectF target_;
    QRectF clip_;
    double zoom_;
};

} // namespace kymata
