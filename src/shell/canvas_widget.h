#pragma once

#include "drawing/recording_surface.h"

#include <QImage>
#include <QPointF>
#include <QWidget>

namespace kymata {

/// The canvas `EIKON`: a widget that owns a recorded figure and shows it, scaled to its size.
///
/// The constructions draw on `Surface()`, a recording; the widget only replays it when painted,
/// so the figure stays when the window is covered or resized, vector-sharp at any pixel ratio.
/// A view of the recording can be zoomed (a quarter to 20 times, about a point) and panned as
/// far as anything is drawn; it stays while the figure is redrawn. Presentation mode draws strokes
/// twice as wide and texts half again as large. Neither changes the recording.
class CanvasWidget final : public QWidget {
    Q_OBJECT

public:
    static constexpr double MaxZoom = 20;
    /// Zoomed out this far, a quarter of the whole figure's size, the marks beyond its box show.
    static constexpr double MinZoom = 0.25;
    /// "Show all" goes further out where the marks reach further: down to a fiftieth.
    static constexpr double ShowAllZoom = 0.02;
    /// In presentation mode strokes are this many times as wide and texts this many times as
    /// large as on the plain canvas.
    static constexpr double PresentationStroke = 2.0;
    static constexpr double PresentationText = 1.5;

    explicit CanvasWidget(QWidget* parent = nullptr);

    /// The drawing surface of the canvas. Call `update()` after drawing on it.
    kymata::Surface& Surface() { return surface_; }
    const Recording& Figure() const { return surface_.Figure(); }

    double ViewZoom() const { return zoom_; }
    /// Zooms the view by `factor` about the widget point `at`, which stays where it is; the
    /// zoom stays between a quarter and 20, and the view stays on what is drawn.
    void ZoomAt(QPointF at, double factor);
    /// Zooms about the cursor when it is over the canvas, else about the centre.
    void ZoomBy(double factor);
    /// Back to the whole figure.
    void ResetView();
    /// Fits everything drawn into the canvas, the marks beyond the figure's box too, one unit
    /// the same length both ways.
    void ShowAll();
    /// Moves the view by `pixels` (the figure moves with it), as far as anything is drawn.
    void PanBy(QPointF pixels);
    /// The widget point of the figure's user coordinates `at`, in the current view.
    QPointF PixelAt(QPointF at) const;
    /// The user coordinates of the figure at the widget point `at`, in the current view.
    QPointF FigureAt(QPointF at) const;

    void SetPresentation(bool on);
    bool Presentation() const { return presentation_; }

    /// While waves move: paints `still` once (kept as an image until it, the size or the view
    /// changes) and lays `moving` over it at each frame, instead of painting the figure whole.
    /// The recording of `Surface()` stays the whole figure for saving and printing.
    void ShowLayers(const Recording& still, Recording moving);
    /// Back to painting the figure whole.
    void ClearLayers();
    bool Layered() const { return layered_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    /// The widget rectangle onto which the whole zoomed figure is laid.
    QRectF ViewArea() const;
    /// Keeps the view on what is drawn: where the drawing (the box and every mark) is larger
    /// than the canvas it covers the canvas, where smaller it lies wholly on it.
    void KeepFigureOnCanvas();

    /// Paints `recording` on `painter` in the current view, white under it when `opaque`.
    void PaintRecording(QPainter& painter, const Recording& recording, bool opaque);

    RecordingSurface surface_;
    bool layered_ = false;
    Recording still_;
    Recording moving_;
    QImage stillImage_;
    /// What the kept image shows: the view it was painted in.
    QRectF stillView_;
    bool stillPresentation_ = false;
    double zoom_ = 1;
    /// The least zoom now allowed: `MinZoom`, or less while a "show all" view needs it.
    double floor_ = MinZoom;
    QPointF offset_;
    bool presentation_ = false;
    bool panning_ = false;
    QPointF lastPan_;
};

} // namespace kymata
