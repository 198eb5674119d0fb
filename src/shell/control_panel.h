#pragma once

#include "construction/controls.h"
#include "figure/control_texts.h"

#include "shell/button_changes.h"

#include <QList>
#include <QObject>

#include <string>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QWidget;

namespace kymata {

/// The thirteen designed controls beside the canvas: PRINT, the four scene scroll bars with
/// their read-outs, "Parallel BEAM", HYPERBOLIC LENS and the GREEK and ENGLISH switch. They
/// stand on the window under their design names, which are their object names; the panel
/// reads and sets their values and captions and tells of every change.
class ControlPanel final : public QObject {
    Q_OBJECT

public:
    /// Makes the controls on `window` with the start's values and captions.
    explicit ControlPanel(QWidget& window);

    /// Copies the bars' values, the two check boxes and the language switch into `c`.
    void Read(Controls& c) const;
    /// Copies where the thumbs stand while one is dragged, before its value changes.
    void ReadDragged(Controls& c) const;
    /// Sets every control to `c` without running their handlers.
    void Set(const Controls& c);
    /// Sets the GREEK/ENGLISH switch as `c` has it, both off for another language, without
    /// running their handlers.
    void SetLanguageQuietly(const Controls& c);
    /// True while GREEK is chosen.
    bool Greek() const;
    /// Moves the focus bar to `value`, as the user would: it redraws.
    void SetFocusBar(int value);

    /// The four read-outs.
    void ShowReadouts(const Labels& labels);
    /// The captions in the language of `texts`.
    void ShowTexts(const ControlTexts& texts);
    /// While on, dragging a thumb changes the value at every step it passes.
    void SetLiveDragging(bool on);
    /// The controls in the design's tab order: PRINT, the bars, the check boxes, the languages.
    QList<QWidget*> FocusOrder() const;

Q_SIGNALS:
    void PrintClicked();
    void SourceChanged();
    void FocusChanged();
    void IndexChanged();
    void ThicknessChanged();
    /// A thumb is dragged while the figure waits for its release.
    void Dragging();
    /// A thumb was let go: the read-outs are the drawn figure's again.
    void Released();
    void HyperbolaChanged();
    void ParallelBeamChanged();
    void GreekChosen();
    void EnglishChosen();

private:
    /// Sets the switch as `c` has it, both off for a language beyond them.
    void ShowLanguageSwitch(const Controls& c);
    QList<QScrollBar*> Bars() const;
    /// A scroll bar of the design on `window` with the start's value, its range and steps.
    static QScrollBar* MakeBar(QWidget& window, const char* name, ControlRange range, int large,
                               int Controls::*value);
    static QLabel* MakeReadout(QWidget& window, const char* name);
    /// A button named `name` with the start's caption `caption` of the control texts.
    template <typename Button>
    static Button* MakeButton(QWidget& window, const char* name,
                              std::string ControlTexts::*caption);

    QWidget& window_;
    ButtonChanges changes_;
    // Made in the order of the design, which is the order in which they stand on the window.
    QPushButton* const Command1 =
        MakeButton<QPushButton>(window_, "Command1", &ControlTexts::printCaption);
    QScrollBar* const initial_POINT =
        MakeBar(window_, "initial_POINT", initial_POINT_Range, 10, &Controls::initial_POINT);
    QLabel* const Label1 = MakeReadout(window_, "Label1");
    QScrollBar* const fOCUS_POINT =
        MakeBar(window_, "fOCUS_POINT", fOCUS_POINT_Range, 10, &Controls::fOCUS_POINT);
    QLabel* const Label2 = MakeReadout(window_, "Label2");
    QScrollBar* const n_DIATHLASI =
        MakeBar(window_, "n_DIATHLASI", n_DIATHLASI_Range, 10, &Controls::n_DIATHLASI);
    QLabel* const Label3 = MakeReadout(window_, "Label3");
    QScrollBar* const pachos = MakeBar(window_, "pachos", pachos_Range, 5, &Controls::pachos);
    QLabel* const Label4 = MakeReadout(window_, "Label4");
    QCheckBox* const f_apeiro =
        MakeButton<QCheckBox>(window_, "f_apeiro", &ControlTexts::parallelBeamCaption);
    QCheckBox* const YPERVOLIKO =
        MakeButton<QCheckBox>(window_, "YPERVOLIKO", &ControlTexts::hyperbolaCaption);
    QRadioButton* const ELLINIKA =
        MakeButton<QRadioButton>(window_, "ELLINIKA", &ControlTexts::greekCaption);
    QRadioButton* const AGLIKA =
        MakeButton<QRadioButton>(window_, "AGLIKA", &ControlTexts::englishCaption);
};

} // namespace kymata
