#pragma once

#include "construction/controls.h"

#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace kymata {

/// The window's files: the figure or the worksheet as PNG, SVG, PDF or JSON, and the teacher's
/// notes as a PDF, each asked for in the toolkit's own dialog in the window's language. A
/// failure is said in the window and nothing partial is left.
class WindowFiles final : public QObject {
    Q_OBJECT

public:
    /// Saves for `window` the figure of the controls that `controls` reads at the time, in the
    /// language that `language` gives.
    WindowFiles(QWidget& window, std::function<Controls()> controls,
                std::function<std::string()> language);

    /// Asks for a file (and a PNG's size), then `SaveFigure`.
    void SaveFigureAs(bool worksheet);
    /// Writes what `--export` writes: a PNG of `pngSize` pixels, an SVG, a PDF or the JSON
    /// document, chosen by the extension.
    bool SaveFigure(const QString& path, int pngSize, bool worksheet);
    /// Asks for a PDF file, then `SaveLessonPlan`.
    void SaveLessonPlanAs();
    /// Writes the teacher's notes (A4 PDF) in the window's language.
    bool SaveLessonPlan(const QString& path);

private:
    QWidget& window_;
    std::function<Controls()> controls_;
    std::function<std::string()> language_;
};

} // namespace kymata
