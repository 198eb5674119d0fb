#include "export/figure_export.h"

#include "construction/scene.h"
#include "construction/spherical_construction.h"
#include "drawing/recording_surface.h"
#include "drawing/surface.h"
#include "drawing/worksheet.h"
#include "export/painter_surface.h"
#include "export/said.h"
#include "figure/figure_document.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace kymata {

namespace {

/// The PNG writer's quality for zlib's fastest level (Qt maps quality q to level
/// (100 - q) * 9 / 91): the figure's wide white and flat areas pack within a tenth of the
/// default level's file, in a fraction of its time.
constexpr int PngQuality = 80;

void Paint(QPainter& painter, const QRectF& target, const Recording& recording) {
    PainterSurface surface(painter, target);
    Replay(recording, surface);
}

/// Writes `recording` to `device` as an SVG 1000 units square titled `title`; false when the
/// generator could not start.
bool PaintSvg(QIODevice& device, const Recording& recording, const QString& title) {
    const int side = static_cast<int>(Surface::ReferencePixels);
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setSize(QSize(side, side));
    generator.setViewBox(QRect(0, 0, side, side));
    generator.setTitle(title);
    QPainter painter;
    if (!painter.begin(&generator)) {
        return false;
    }
    Paint(painter, QRectF(0, 0, side, side), recording);
    painter.end();
    return true;
}

} // namespace

std::optional<FigureFormat> FigureFormatForPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        return FigureFormat::Png;
    }
    if (suffix == QLatin1String("svg")) {
        return FigureFormat::Svg;
    }
    if (suffix == QLatin1String("pdf")) {
        return FigureFormat::Pdf;
    }
    if (suffix == QLatin1String("json")) {
        return FigureFormat::Json;
    }
    return std::nullopt;
}

QImage RenderImage(const Recording& recording, int size) {
    // Opaque: a PNG of three bytes a pixel, a quarter less to filter and pack than with alpha.
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Paint(painter, QRectF(0, 0, size, size), recording);
    return image;
}

WriteResult WriteText(const QString& path, const std::string& text, std::string_view language) {
    return WriteFileSafely(path, QByteArray(text.data(), static_cast<qsizetype>(text.size())),
                           language);
}

WriteResult WriteFigure(const QString& path, FigureFormat format, const FigureContent& content,
                        int pngSize, std::string_view language) {
    if (format == FigureFormat::Json) {
        return WriteText(path, FigureJson(content), language);
    }
    const auto failed = [&path, language](std::string_view reason) {
        return WriteFailure(path, Said(reason, language), language);
    };
    const QString title = Said("export.title.figure", TextLanguage(content.controls));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
    case FigureFormat::Png: {
        QImageWriter writer(&buffer, "png");
        writer.setQuality(PngQuality);
        if (!writer.write(RenderImage(content.canvas, pngSize))) {
            return failed("write.pngFailed");
        }
        break;
    }
    case FigureFormat::Svg:
        if (!PaintSvg(buffer, content.canvas, title)) {
            return failed("write.svgFailed");
        }
        break;
    case FigureFormat::Pdf: {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QSizeF(200, 200), QPageSize::Millimeter));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(600);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Kymata"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            return failed("write.pdfNotStarted");
        }
        const QRect page = painter.viewport();
        const int side = std::min(page.width(), page.height());
        Paint(painter, QRectF(page.left(), page.top(), side, side), content.canvas);
        if (!painter.end()) {
            return failed("write.pdfNotFinished");
        }
        break;
    }
    case FigureFormat::Json:
        break;
    }
    buffer.close();
    return WriteFileSafely(path, buffer.data(), language);
}

namespace {

/// The SVG that QSvgGenerator writes for a recording, 1000 units square.
QByteArray SvgOf(const Recording& recording, const QString& title) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    PaintSvg(buffer, recording, title);
    return buffer.data();
}

/// What a generated SVG draws, without its header, its end and the white of a cleared page.
QByteArray SvgBody(const QByteArray& svg) {
    const QByteArray defs = "</defs>\n";
    const qsizetype start = svg.indexOf(defs);
    const qsizetype end = svg.lastIndexOf("</svg>");
    if (start < 0 || end < start) {
        return {};
    }
    QByteArray body = svg.mid(start + defs.size(), end - start - defs.size());
    const qsizetype white = body.indexOf("<g fill=\"#ffffff\"");
    const qsizetype rect = body.indexOf("<rect x=\"0\" y=\"0\"", white);
    const qsizetype close = body.indexOf("</g>", rect);
    if (white >= 0 && rect > white && close > rect) {
        body.remove(white, close + 4 - white);
    }
    return body;
}

} // namespace

WriteResult WriteAnimatedSvg(const QString& path, const Controls& controls,
                             std::string_view language, int frames) {
    const AnimationContent animation = DrawAnimationContent(controls, frames);
    const QString title = Said("export.title.moving", TextLanguage(controls));
    QByteArray svg = SvgOf(animation.still, title);
    const qsizetype end = svg.lastIndexOf("</svg>");
    if (end < 0) {
        return WriteFailure(path, Said("write.svgFailed", language), language);
    }
    QByteArray moving;
    for (int i = 0; i < frames; ++i) {
        // Hidden but for its share of each period: a discrete animation of one second that
        // starts at this frame's time and repeats.
        moving += QStringLiteral("<g visibility=\"hidden\"><animate attributeName=\"visibility\" "
                                 "calcMode=\"discrete\" values=\"visible;hidden\" "
                                 "keyTimes=\"0;%1\" dur=\"1s\" begin=\"%2s\" "
                                 "repeatCount=\"indefinite\"/>\n")
                      .arg(1.0 / frames, 0, 'g', 10)
                      .arg(static_cast<double>(i) / frames, 0, 'g', 10)
                      .toUtf8();
        moving += SvgBody(SvgOf(animation.crests[static_cast<std::size_t>(i)], title));
        moving += "</g>\n";
    }
    svg.insert(end, moving);
    return WriteText(path, svg.toStdString(), language);
}

} // namespace kymata
