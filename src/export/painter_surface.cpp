#include "export/painter_surface.h"

#include "export/text_halo.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kymata {

namespace {

QColor ToQColor(const Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

/// Clips the segment p-q to `rect` (Liang-Barsky); false when nothing of it lies inside.
bool ClipSegment(QPointF& p, QPointF& q, const QRectF& rect) {
    const double dx = q.x() - p.x();
    const double dy = q.y() - p.y();
    double t0 = 0;
    double t1 = 1;
    const double pv[4] = {-dx, dx, -dy, dy};
    const double qv[4] = {p.x() - rect.left(), rect.right() - p.x(), p.y() - rect.top(),
                          rect.bottom() - p.y()};
    for (int i = 0; i < 4; ++i) {
        if (pv[i] == 0) {
            if (qv[i] < 0) {
                return false;
            }
            continue;
        }
        const double t = qv[i] / pv[i];
        if (pv[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return false;
        }
    }
    const QPointF start = p;
    p = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    q = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    return true;
}

/// True when a ring of radii between rMin and rMax about `centre` can pass through `rect`:
/// a circle that encloses the whole rectangle, or lies wholly beside it, draws nothing there.
/// Rings too large for the rasteriser (a million pixels) are left out as well.
bool RingMeetsRect(const QPointF& centre, double rMin, double rMax, const QRectF& rect) {
    if (rMax > 1e6) {
        return false;
    }
    const double nearX = std::clamp(centre.x(), rect.left(), rect.right());
    const double nearY = std::clamp(centre.y(), rect.top(), rect.bottom());
    const double nearest = std::hypot(nearX - centre.x(), nearY - centre.y());
    const double farX =
        std::max(std::abs(rect.left() - centre.x()), std::abs(rect.right() - centre.x()));
    const double farY =
        std::max(std::abs(rect.top() - centre.y()), std::abs(rect.bottom() - centre.y()));
    const double farthest = std::hypot(farX, farY);
    return nearest <= rMax && farthest >= rMin;
}

} // namespace

QRectF FitBox(const UserBox& box, const QRectF& area) {
    const Rect fitted = FitBox(box, Rect{area.x(), area.y(), area.width(), area.height()});
    return {fitted.x, fitted.y, fitted.width, fitted.height};
}

PainterSurface::PainterSurface(QPainter& painter, const QRectF& area,
                               std::optional<double> devicePerReferencePixel)
    : painter_(painter), area_(area), fixedZoom_(devicePerReferencePixel) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setClipRect(area_);
    // Strokes may reach a little beyond the area; everything further out is cut away before it
    // reaches the painter, so huge coordinates never strain its rasteriser.
    const double margin = 0.5 * std::max(area.width(), area.height());
    clip_ = area.adjusted(-margin, -margin, margin, margin);
    Fit();
}

PainterSurface::~PainterSurface() {
    if (painter_.isActive()) {
        Flush();
    }
}

void PainterSurface::Flush() {
    if (!run_.isEmpty()) {
        UsePen(runPen_->color, runPen_->width, runPen_->style);
        painter_.drawLines(run_);
        run_.clear();
    }
    runPen_.reset();
}

void PainterSurface::ShowWithin(const QRectF& visible) {
    Flush();
    painter_.setClipRect(visible);
    const double margin = 0.5 * std::max(visible.width(), visible.height());
    clip_ = visible.adjusted(-margin, -margin, margin, margin);
}

void PainterSurface::Fit() {
    target_ = FitBox(Box(), area_);
    const double side = std::min(target_.width(), target_.height());
    zoom_ = fixedZoom_.value_or(side / Surface::ReferencePixels);
    if (!(zoom_ > 0)) {
        zoom_ = 1;
    }
    ReferenceHeight = target_.height() / zoom_;
}

void PainterSurface::OnScale(const UserBox&, const UserBox&) {
    Flush();
    Fit();
}

void PainterSurface::SetEmphasis(double strokes, double texts) {
    Flush();
    strokeScale_ = strokes > 0 ? strokes : 1;
    textScale_ = texts > 0 ? texts : 1;
}

void PainterSurface::OnClear() {
    Flush();
    if (opaque_) {
        painter_.fillRect(area_, Qt::white);
    }
}

QPointF PainterSurface::ToDevice(double x, double y) const {
    const UserBox& b = Box();
    return {target_.left() + (x - b.left) / (b.right - b.left) * target_.width(),
            target_.top() + (y - b.top) / (b.bottom - b.top) * target_.height()};
}

void PainterSurface::UsePen(const Rgb& color, int width, LineStyle style) {
    QPen pen(ToQColor(color));
    pen.setWidthF(std::max(1, width) * zoom_ * strokeScale_);
    pen.setStyle(style == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    // Square ends reach as far as round ones and close a frame's corners, at a fraction of
    // their cost to the rasteriser.
    pen.setCapStyle(style == LineStyle::Dotted ? Qt::FlatCap : Qt::SquareCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
}

void PainterSurface::OnLine(const LineItem& line) {
    if (!std::isfinite(line.x1) || !std::isfinite(line.y1) || !std::isfinite(line.x2) ||
        !std::isfinite(line.y2)) {
        return;
    }
    QPointF p = ToDevice(line.x1, line.y1);
    QPointF q = ToDevice(line.x2, line.y2);
    if (!ClipSegment(p, q, clip_)) {
        return;
    }
    const RunPen pen{line.color, line.width, line.style};
    if (runPen_ != pen) {
        Flush();
        runPen_ = pen;
    }
    run_.append(QLineF(p, q));
}

void PainterSurface::OnPolyline(const PolylineItem& polyline) {
    const auto& p = polyline.xy;
    const bool finite = std::all_of(p.begin(), p.end(), [](float v) { return std::isfinite(v); });
    if (!finite) {
        // As lines, each dropped alone where it is not finite.
        Surface::OnPolyline(polyline);
        return;
    }
    Flush();
    QPolygonF points;
    points.reserve(static_cast<qsizetype>(p.size() / 2));
    for (std::size_t i = 0; i + 1 < p.size(); i += 2) {
        points << ToDevice(p[i], p[i + 1]);
    }
    UsePen(polyline.color, polyline.width, polyline.style);
    // The bends of a wavefront are slight: a bevel joins them as a round join would, at a
    // fraction of the cost.
    QPen pen = painter_.pen();
    pen.setJoinStyle(Qt::BevelJoin);
    painter_.setPen(pen);
    painter_.drawPolyline(points);
}

void PainterSurface::OnCircle(const CircleItem& circle) {
    Flush();
    if (!std::isfinite(circle.x) || !std::isfinite(circle.y) || !std::isfinite(circle.r)) {
        return;
    }
    const UserBox& b = Box();
    const QPointF centre = ToDevice(circle.x, circle.y);
    const double rx = std::abs(circle.r * target_.width() / (b.right - b.left));
    const double ry = std::abs(circle.r * target_.height() / (b.bottom - b.top));
    const QRectF bounds(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
    if (!RingMeetsRect(centre, std::min(rx, ry), std::max(rx, ry), clip_)) {
        return;
    }
    UsePen(circle.color, circle.width, circle.style);
    if (!circle.start || !circle.end) {
        painter_.drawEllipse(bounds);
        return;
    }
    if (!std::isfinite(*circle.start) || !std::isfinite(*circle.end)) {
        return;
    }
    constexpr double twoPi = 2 * std::numbers::pi;
    double span = std::fmod(double(*circle.end) - double(*circle.start), twoPi);
    if (span <= 0) {
        span += twoPi;
    }
    // Angles are taken in the user frame (counter-clockwise as seen when y points up). Qt's
    // arc angles are counter-clockwise on the device, so a box that mirrors an axis on the
    // device turns the start angle and the sweep accordingly.
    const double flipX = b.right > b.left ? 1.0 : -1.0;
    const double flipY = b.top > b.bottom ? 1.0 : -1.0;
    const double toDegrees = 180.0 / std::numbers::pi;
    const double start =
        std::atan2(flipY * std::sin(*circle.start), flipX * std::cos(*circle.start)) * toDegrees;
    const double sweep = flipX * flipY * span * toDegrees;
    QPainterPath path;
    path.arcMoveTo(bounds, start);
    path.arcTo(bounds, start, sweep);
    painter_.drawPath(path);
}

void PainterSurface::OnText(const TextItem& text) {
    Flush();
    if (!std::isfinite(text.x) || !std::isfinite(text.y) || !std::isfinite(text.angle) ||
        !std::isfinite(text.size) || text.size <= 0) {
        return;
    }
    QFont font;
    if (!text.font.empty()) {
        font.setFamily(QString::fromStdString(text.font));
    }
    // Sizes are laid out on the reference canvas and the painter is scaled to the target, so
    // the text keeps its proportion to the figure.
    font.setPixelSize(std::max(1, int(std::lround(text.size * ReferenceDpi / 72.0))));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    const QPointF anchor = ToDevice(text.x, text.y);
    if (!clip_.contains(anchor)) {
        return;
    }
    painter_.save();
    painter_.translate(anchor);
    painter_.rotate(-text.angle);
    painter_.scale(zoom_ * textScale_, zoom_ * textScale_);
    DrawHaloedText(painter_, font, QString::fromStdString(text.text), ToQColor(text.color));
    painter_.restore();
}

} // namespace kymata
