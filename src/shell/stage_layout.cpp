#include "shell/stage_layout.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace kymata {

namespace {

/// The screen height the sizes are given for.
constexpr double ReferenceHeight = 1080;
/// The words start this much larger than their least size and shrink to fit their lines.
constexpr double WordGrowth = 1.2;

QFont Sized(const QFont& base, double pixels, bool bold) {
    QFont font(base);
    font.setPixelSize(std::max(1, static_cast<int>(std::ceil(pixels))));
    font.setBold(bold);
    return font;
}

/// The height `text` takes wrapped to `width` in `font`.
double WrappedHeight(const QString& text, const QFont& font, double width) {
    if (text.isEmpty()) {
        return 0;
    }
    return QFontMetricsF(font)
        .boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text)
        .height();
}

int WrappedLines(const QString& text, const QFont& font, double width) {
    return static_cast<int>(
        std::lround(WrappedHeight(text, font, width) / QFontMetricsF(font).lineSpacing()));
}

} // namespace

double LeastWordPixels(double height, bool presentation) {
    return presentation ? PresentedWordPixels * height / ReferenceHeight : WindowWordPixels;
}

StageLayout LayOutStage(QSizeF size, bool presentation, const StageTexts& texts,
                        const QFont& base) {
    StageLayout layout;
    const double width = size.width();
    const double height = size.height();
    const double unit = height / ReferenceHeight;
    const double margin = std::max(12.0, 28 * unit);
    const double notesHeight = texts.notes.isEmpty() ? 0 : std::clamp(0.22 * height, 110.0, 260.0);
    layout.notesFont = Sized(base, std::max(16.0, 20 * unit), false);
    const QRectF area(0, 0, width, height - notesHeight);
    const bool landscape = area.width() >= 1.3 * area.height();

    double side = 0;
    double column = width - 2 * margin;
    if (landscape) {
        // In presentation mode the figure is drawn at its reference size scaled with the
        // screen (its texts as large as the figure document promises), and the words take the
        // rest; the figure's box has white margins of its own, so it needs none.
        side = presentation ? std::min(area.height(), std::max(PresentedFigureShare * height,
                                                               PresentedFigurePixels * unit))
                            : std::min(area.height() - 2 * margin, 0.52 * area.width());
        column = width - side - (presentation ? 2 : 3) * margin;
    }
    // The words from a larger size down to their least, until they take few enough lines.
    const double least = LeastWordPixels(height, presentation);
    double pixels = least * WordGrowth;
    for (; pixels > least; pixels -= 1) {
        if (WrappedLines(texts.words, Sized(base, pixels, false), column) <= StageWordLines) {
            break;
        }
    }
    pixels = std::max(pixels, least);
    layout.wordFont = Sized(base, pixels, false);
    layout.titleFont = Sized(base, 1.15 * pixels, true);
    layout.progressFont = Sized(base, std::max(18.0, 0.6 * pixels), false);
    layout.wordLines = WrappedLines(texts.words, layout.wordFont, column);

    const double progressHeight = QFontMetricsF(layout.progressFont).lineSpacing();
    const double titleHeight = WrappedHeight(texts.title, layout.titleFont, column);
    const double wordsHeight = WrappedHeight(texts.words, layout.wordFont, column);
    const double gap = 0.5 * pixels;
    const double block = progressHeight + gap / 2 + titleHeight + gap + wordsHeight;

    double left = margin;
    double top = 0;
    if (landscape) {
        const double figureLeft = presentation ? 0 : margin;
        layout.figure = QRectF(figureLeft, area.top() + (area.height() - side) / 2, side, side);
        left = layout.figure.right() + margin;
        top = std::max(margin, area.center().y() - block / 2);
    } else {
        side = std::max(0.0, std::min(width - 2 * margin, area.height() - 3 * margin - block));
        layout.figure = QRectF((width - side) / 2, margin, side, side);
        top = layout.figure.bottom() + margin;
    }
    layout.progress = QRectF(left, top, column, progressHeight);
    layout.title = QRectF(left, layout.progress.bottom() + gap / 2, column, titleHeight);
    layout.words = QRectF(left, layout.title.bottom() + gap, column, wordsHeight);
    if (notesHeight > 0) {
        layout.notes = QRectF(0, height - notesHeight, width, notesHeight);
    }
    return layout;
}

} // namespace kymata
