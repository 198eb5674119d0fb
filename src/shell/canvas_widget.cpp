#include "shell/canvas_widget.h"

#include "shell/painter_surface.h"

#include <QPainter>

namespace kymata {

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(50, 50);
}

void CanvasWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PainterSurface surface(painter, QRectF(rect()));
    Replay(surface_.Figure(), surface);
}

} // namespace kymata
