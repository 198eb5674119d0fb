#pragma once

#include "drawing/surface.h"

#include <QLineF>
#include <QList>
#include <QRectF>

#include <optional>

class QPainter;

namespace kymata {

/// The largest rectangle with the proportions of `box` centred in `area`: one user unit is then
/// the same length across and down.
QRectF FitBox(const UserBox& box, const QRectF& area);

/// A surface that draws at once through a QPainter: on an image, an SVG or PDF generator, a
/// printer page or a widget.
///
/// The user box is fitted into `area` (device coordinates of the painter), centred, with one
/// unit the same length across and down. Widths in pixels and font sizes in points are those of
/// the reference canvas: by default the fitted box is 1000 reference pixels on its shorter side,
/// so a figure looks the same at every size; a page gives `devicePerReferencePixel` (its dots
/// per inch / 96) so that sizes are true lengths on paper. Strokes are antialiased and clipped
/// to the area; items with a non-finite coordinate are not drawn. Every text has a light halo
/// (`DrawHaloedText`).
class PainterSurface final : public Surface {
public:
    PainterSurface(QPainter& painter, const QRectF& area,
                   std::optional<double> devicePerReferencePixel = std::nullopt);
    ~PainterSurface() override;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    /// Strokes the run of segments gathered so far.
    void Flush() override;

    /// Device pixels per reference pixel.
    double Zoom() const { return zoom_; }
    /// Draws strokes `strokes` times and texts `texts` times their size (a projector's view);
    /// the geometry is unchanged.
    void SetEmphasis(double strokes, double texts);
    /// Whether clearing paints the area white (the default), or leaves what is under it, so
    /// that a recording can be laid over another as a layer.
    void SetOpaque(bool opaque) { opaque_ = opaque; }
    /// Draws whatever falls inside `visible` (device coordinates), also beyond the area: a view
    /// zoomed out below the whole figure shows the marks that lie outside its box.
    void ShowWithin(const QRectF& visible);

protected:
    void OnScale(const UserBox& previous, const UserBox& box) override;
    void OnClear() override;
    void OnLine(const LineItem& line) override;
    void OnCircle(const CircleItem& circle) override;
    void OnPolyline(const PolylineItem& polyline) override;
    void OnText(const TextItem& text) override;

private:
    QPointF ToDevice(double x, double y) const;
    void UsePen(const Rgb& color, int width, LineStyle style);

    void Fit();

    /// The pen of the run of segments gathered, and the run: neighbouring segments of one pen
    /// are stroked as one path, which costs the rasteriser a fraction of one stroke each.
    struct RunPen {
        Rgb color;
        int width;
        LineStyle style;
        friend bool operator==(const RunPen&, const RunPen&) = default;
    };
    std::optional<RunPen> runPen_;
    QList<QLineF> run_;

    QPainter& painter_;
    QRectF area_;
    std::optional<double> fixedZoom_;
    QRectF target_;
    QRectF clip_;
    double zoom_ = 1;
    double strokeScale_ = 1;
    double textScale_ = 1;
    bool opaque_ = true;
};

} // namespace kymata
