#pragma once

#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace kymata {

/// The least size of the stage's words, in pixels: in presentation mode `PresentedWordPixels`
/// at a 1080-pixel screen, scaled with its height; out of it `WindowWordPixels` on any window.
inline constexpr double PresentedWordPixels = 36;
inline constexpr double WindowWordPixels = 24;
/// The least side of the figure in presentation mode, as a part of the screen's height.
inline constexpr double PresentedFigureShare = 0.85;
/// The side of the figure in presentation mode at a 1080-pixel screen, scaled with its height:
/// the figure document's 1000-pixel reference, whose texts of 24 points are 32 pixels there.
inline constexpr double PresentedFigurePixels = 1000;
/// The most lines the stage's words take where they fit at their least size.
inline constexpr int StageWordLines = 3;

/// What the stage writes: the step shown ("Step 3 of 10 · 2/3"), its title and the beat's words,
/// and under the stage the teacher's notes where they are shown (empty: no strip).
struct StageTexts {
    QString progress;
    QString title;
    QString words;
    QString notes;
};

/// Where the stage puts its parts on a widget of `size` pixels: the figure square, as large as
/// the words beside or under it allow; the progress, the title and the words; and the notes
/// strip across the bottom. The fonts are those the texts are written in.
struct StageLayout {
    QRectF figure;
    QRectF progress;
    QRectF title;
    QRectF words;
    QRectF notes;
    QFont progressFont;
    QFont titleFont;
    QFont wordFont;
    QFont notesFont;
    /// The lines the words take at `wordFont` in their rectangle.
    int wordLines = 0;
};

/// The least pixel size of the stage's words on a widget `height` pixels high.
double LeastWordPixels(double height, bool presentation);

/// Lays the stage out on `size` in `base`'s family: in presentation mode the figure's side at
/// least `PresentedFigureShare` of the height and the words at least `LeastWordPixels`; the
/// words shrink from a larger size until they take at most `StageWordLines` lines, and never
/// below their least size. Beside the figure on a landscape area, under it otherwise.
StageLayout LayOutStage(QSizeF size, bool presentation, const StageTexts& texts, const QFont& base);

} // namespace kymata
