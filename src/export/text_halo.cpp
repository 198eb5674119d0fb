#include "export/text_halo.h"

#include <QCache>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <cmath>

namespace kymata {

namespace {

/// The images kept of haloed texts, by their bytes (a few hundred figures' worth of texts).
constexpr qsizetype CacheBytes = 24 << 20;

/// Sub-pixel places are told apart to a quarter of a pixel.
constexpr double SubPixel = 4;

/// The letters' outlines with the top of their line at the origin.
QPainterPath TextOutline(const QFont& font, const QString& words) {
    QPainterPath outline;
    outline.addText(QPointF(0, QFontMetricsF(font).ascent()), font, words);
    return outline;
}

/// The halo's pen: white, round at its joins and ends.
QPen HaloPen(const QFont& font) {
    QPen pen(Qt::white, HaloWidth * font.pixelSize());
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

/// The haloed text drawn through `linear` (the painter's turn and scale onto the device) with
/// its origin at `fraction` of a pixel; `corner` is where the image's top-left pixel lies
/// relative to the device pixel of the origin.
QImage RenderHaloedText(const QFont& font, const QString& words, const QColor& colour,
                        const QTransform& linear, QPointF fraction, QPoint& corner) {
    const QPainterPath outline = TextOutline(font, words);
    QRectF reach = outline.boundingRect();
    const QPen pen = HaloPen(font);
    const double half = pen.widthF() / 2;
    reach.adjust(-half, -half, half, half);
    const QRect pixels =
        linear.mapRect(reach).translated(fraction).toAlignedRect().adjusted(-1, -1, 1, 1);
    corner = pixels.topLeft();
    QImage image(pixels.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.translate(QPointF(-pixels.left(), -pixels.top()) + fraction);
    p.setTransform(linear, true);
    p.strokePath(outline, pen);
    // The letters filled as their outlines, not through Qt's glyph cache, whose glyphs depend a
    // little on what was drawn before: a kept text is the same in every process, so that a
    // saved image is the one an export writes.
    p.fillPath(outline, colour);
    return image;
}

/// A haloed text as kept: its image and where its top-left pixel lies.
struct KeptText {
    QImage image;
    QPoint corner;
};

QCache<QString, KeptText>& Kept() {
    thread_local QCache<QString, KeptText> kept(CacheBytes);
    return kept;
}

void DrawRasterText(QPainter& painter, const QFont& font, const QString& words,
                    const QColor& colour) {
    const QTransform world = painter.worldTransform();
    const QTransform device = painter.deviceTransform();
    // What the device adds beyond the painter's own transform (its pixel ratio).
    const QTransform own = world.inverted() * device;
    const QPointF origin = device.map(QPointF(0, 0));
    const QPointF whole(std::floor(origin.x()), std::floor(origin.y()));
    const QPointF fraction(std::round((origin.x() - whole.x()) * SubPixel) / SubPixel,
                           std::round((origin.y() - whole.y()) * SubPixel) / SubPixel);
    const QTransform linear(device.m11(), device.m12(), device.m21(), device.m22(), 0, 0);
    const QString key = QStringLiteral("%1|%2|%3 %4 %5 %6|%7 %8")
                            .arg(font.key())
                            .arg(colour.rgba())
                            .arg(linear.m11(), 0, 'g', 17)
                            .arg(linear.m12(), 0, 'g', 17)
                            .arg(linear.m21(), 0, 'g', 17)
                            .arg(linear.m22(), 0, 'g', 17)
                            .arg(fraction.x())
                            .arg(fraction.y()) +
                        QLatin1Char('|') + words;
    KeptText* text = Kept().object(key);
    if (!text) {
        auto made = std::make_unique<KeptText>();
        made->image = RenderHaloedText(font, words, colour, linear, fraction, made->corner);
        const qsizetype bytes = made->image.sizeInBytes();
        text = made.get();
        if (!Kept().insert(key, made.release(), bytes)) {
            // Larger than all that is kept: drawn once, as it is.
            text = nullptr;
        }
    }
    painter.save();
    // The image goes down pixel for pixel on the device.
    painter.setWorldTransform(QTransform::fromTranslate(whole.x(), whole.y()) * own.inverted());
    if (text) {
        painter.drawImage(text->corner, text->image);
    } else {
        QPoint corner;
        const QImage image = RenderHaloedText(font, words, colour, linear, fraction, corner);
        painter.drawImage(corner, image);
    }
    painter.restore();
}

} // namespace

void DrawHaloedText(QPainter& painter, const QFont& font, const QString& words,
                    const QColor& colour) {
    const QPaintEngine* engine = painter.paintEngine();
    const bool raster = engine && engine->type() == QPaintEngine::Raster;
    const QTransform device = painter.deviceTransform();
    if (raster && device.m12() == 0 && device.m21() == 0) {
        DrawRasterText(painter, font, words, colour);
        return;
    }
    painter.setFont(font);
    const QPointF baseline(0, QFontMetricsF(font).ascent());
    if (raster) {
        // A turned text on the screen or an image: its halo is the text in white, shifted a
        // little in eight directions, whose letters come out alike in every process (a halo
        // of its outline, turned, does not quite); no file holds these pixels as texts.
        const double d = HaloWidth / 2 * font.pixelSize();
        const double e = 0.7 * d;
        const QPointF shifts[] = {{d, 0}, {-d, 0}, {0, d},  {0, -d},
                                  {e, e}, {-e, e}, {e, -e}, {-e, -e}};
        painter.setPen(Qt::white);
        for (const QPointF shift : shifts) {
            painter.drawText(baseline + shift, words);
        }
    } else {
        painter.strokePath(TextOutline(font, words), HaloPen(font));
    }
    painter.setPen(colour);
    painter.drawText(baseline, words);
}

} // namespace kymata
