#include "shell/canvas_widget.h"

#include "drawing/drawn_extent.h"
#include "export/painter_surface.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace kymata {

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(50, 50);
}

QRectF CanvasWidget::ViewArea() const {
    return QRectF(offset_, QSizeF(size()) * zoom_);
}

void CanvasWidget::KeepFigureOnCanvas() {
    zoom_ = std::clamp(zoom_, floor_, MaxZoom);
    const UserBox& box = surface_.Box();
    const std::optional<Extent> drawn = DrawnExtent(Figure());
    const Extent e =
        drawn ? Union(*drawn, box) : Union({box.left, box.top, box.left, box.top}, box);
    const QRectF reach = QRectF(PixelAt({e.minX, e.maxY}), PixelAt({e.maxX, e.minY})).normalized();
    // The correction for one axis: the drawing's edges [low, high] against the canvas [0, side].
    const auto correction = [](double low, double high, double side) {
        if (high - low >= side) {
            return low > 0 ? -low : high < side ? side - high : 0.0;
        }
        return low < 0 ? -low : high > side ? side - high : 0.0;
    };
    offset_ += QPointF(correction(reach.left(), reach.right(), width()),
                       correction(reach.top(), reach.bottom(), height()));
}

void CanvasWidget::ZoomAt(QPointF at, double factor) {
    if (!(factor > 0)) {
        return;
    }
    const double before = zoom_;
    zoom_ = std::clamp(zoom_ * factor, floor_, MaxZoom);
    // Zooming in from a far "show all" view raises the least zoom with it, up to a quarter.
    floor_ = std::clamp(zoom_, floor_, MinZoom);
    // The figure point under `at` stays under it.
    offset_ = at - (at - offset_) * (zoom_ / before);
    KeepFigureOnCanvas();
    update();
}

void CanvasWidget::ZoomBy(double factor) {
    const QPointF cursor = mapFromGlobal(QCursor::pos());
    ZoomAt(rect().contains(cursor.toPoint()) ? cursor : QRectF(rect()).center(), factor);
}

void CanvasWidget::ResetView() {
    zoom_ = 1;
    floor_ = MinZoom;
    offset_ = {};
    update();
}

void CanvasWidget::ShowAll() {
    const UserBox& box = surface_.Box();
    const std::optional<Extent> drawn = DrawnExtent(Figure());
    if (!drawn) {
        ResetView();
        return;
    }
    const Extent e = Union(*drawn, box);
    // Pixels per user unit in the whole-figure view; a small margin round the drawing.
    const QRectF whole = FitBox(box, QRectF(rect()));
    const double perUnit = whole.width() / std::abs(box.right - box.left);
    const double across = (e.maxX - e.minX) * perUnit * 1.04;
    const double down = (e.maxY - e.minY) * perUnit * 1.04;
    zoom_ = std::clamp(std::min(width() / across, height() / down), ShowAllZoom, MaxZoom);
    floor_ = std::min(zoom_, MinZoom);
    offset_ = {};
    offset_ += QRectF(rect()).center() - PixelAt({(e.minX + e.maxX) / 2, (e.minY + e.maxY) / 2});
    KeepFigureOnCanvas();
    update();
}

void CanvasWidget::PanBy(QPointF pixels) {
    offset_ += pixels;
    KeepFigureOnCanvas();
    update();
}

QPointF CanvasWidget::PixelAt(QPointF at) const {
    const UserBox& box = surface_.Box();
    const QRectF target = FitBox(box, ViewArea());
    return {target.left() + (at.x() - box.left) / (box.right - box.left) * target.width(),
            target.top() + (at.y() - box.top) / (box.bottom - box.top) * target.height()};
}

QPointF CanvasWidget::FigureAt(QPointF at) const {
    const UserBox& box = surface_.Box();
    const QRectF target = FitBox(box, ViewArea());
    return {box.left + (at.x() - target.left()) / target.width() * (box.right - box.left),
            box.top + (at.y() - target.top()) / target.height() * (box.bottom - box.top)};
}

void CanvasWidget::SetPresentation(bool on) {
    presentation_ = on;
    surface_.TextScale = on ? PresentationText : 1;
    update();
}

void CanvasWidget::ShowLayers(const Recording& still, Recording moving) {
    if (!layered_ || !(still == still_)) {
        still_ = still;
        stillImage_ = {};
    }
    moving_ = std::move(moving);
    layered_ = true;
    update();
}

void CanvasWidget::ClearLayers() {
    layered_ = false;
    still_ = {};
    moving_ = {};
    stillImage_ = {};
    update();
}

void CanvasWidget::PaintRecording(QPainter& painter, const Recording& recording, bool opaque) {
    // Sizes stay those of the whole figure on this canvas: a zoomed view shows the geometry
    // closer, with strokes and texts as fine as before.
    const double side = std::min(width(), height());
    PainterSurface surface(painter, ViewArea(), side / Surface::ReferencePixels);
    surface.SetOpaque(opaque);
    surface.ShowWithin(QRectF(rect()));
    // The texts are drawn larger in the recording itself (`Surface().TextScale`), so that their
    // lines keep apart; the painter widens the strokes.
    if (presentation_) {
        surface.SetEmphasis(PresentationStroke, 1);
    }
    Replay(recording, surface);
    painter.setClipping(false);
}

void CanvasWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (layered_) {
        const qreal ratio = devicePixelRatioF();
        if (stillImage_.isNull() || stillView_ != ViewArea() ||
            stillPresentation_ != presentation_ || stillImage_.size() != size() * ratio) {
            stillImage_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
            stillImage_.setDevicePixelRatio(ratio);
            stillImage_.fill(Qt::white);
            QPainter still(&stillImage_);
            PaintRecording(still, still_, true);
            stillView_ = ViewArea();
            stillPresentation_ = presentation_;
        }
        painter.drawImage(QPointF(0, 0), stillImage_);
        PaintRecording(painter, moving_, false);
    } else {
        PaintRecording(painter, surface_.Figure(), true);
    }
    if (zoom_ != 1) {
        const QString label = QStringLiteral("×%1").arg(zoom_, 0, 'f', zoom_ < 1 ? 2 : 1);
        QFont font = painter.font();
        font.setPointSizeF(11);
        painter.setFont(font);
        const QRectF box = painter.fontMetrics().boundingRect(label).adjusted(-6, -3, 6, 3);
        const QRectF at(width() - box.width() - 6, 6, box.width(), box.height());
        painter.fillRect(at, QColor(255, 255, 255, 220));
        painter.setPen(QColor(40, 40, 40));
        painter.drawRect(at);
        painter.drawText(at, Qt::AlignCenter, label);
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void CanvasWidget::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) {
        ZoomAt(event->position(), std::pow(1.25, steps));
    }
    event->accept();
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        panning_ = true;
        lastPan_ = event->position();
    }
    QWidget::mousePressEvent(event);
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    if (panning_ && (event->buttons() & Qt::LeftButton)) {
        const QPointF moved = event->position() - lastPan_;
        lastPan_ = event->position();
        PanBy(moved);
    }
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        panning_ = false;
    }
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        ResetView();
    }
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    KeepFigureOnCanvas();
}

} // namespace kymata
