#pragma once

#include "construction/controls.h"
#include "construction/scene.h"
#include "construction/views.h"
#include "shell/window_layout.h"
#include "shell/window_state.h"

#include <QElapsedTimer>
#include <QHash>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QAbstractButton;
class QAction;
class QKeySequence;
class QCheckBox;
class QLabel;
class QMenu;
class QPrinter;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;

namespace kymata {

class CanvasWidget;
class GuideDialog;
class LedgerPanel;
class LessonPanel;
class PrintDispatch;

/// The one window of the program: the canvas `EIKON` and the thirteen controls that set the
/// scene. Every control event redraws the figure once through `DrawConstruction`.
class DHMIOYRGO_KYKLO final : public QWidget {
    Q_OBJECT

public:
    explicit DHMIOYRGO_KYKLO(QWidget* parent = nullptr);

    /// The control values that a redraw reads, taken from the widgets.
    Controls ReadControls() const;
    /// The code of the language the window speaks now ("el", "en", ...).
    std::string Language() const;
    /// Chooses the language of every text by its code, as the Language menu does: "el" and "en"
    /// are the GREEK and ENGLISH switch, another shipped language leaves both off. Redraws.
    void SetLanguage(std::string_view language);
    /// Sets every control to `controls` (scroll bars, switches, language, view) without
    /// running their handlers; a `DrawConstruction` after it draws the new whole.
    void SetControls(const Controls& controls);
    /// Redraws the figure on the canvas from the controls and rewrites the four read-outs.
    void DrawConstruction();
    /// Places the canvas and the controls for the current client size: as designed where they
    /// fit, else around a smaller canvas, beside it or below it.
    void ApplyLayout();
    /// How the controls stand now.
    Arrangement CurrentArrangement() const { return arrangement_; }
    /// The shared scene, kept for the program's life.
    kymata::Scene& Scene() { return scene_; }
    CanvasWidget& Canvas() { return *EIKON; }
    /// Prints the construction that `YPERVOLIKO` selects on `printer`, as PRINT does once the
    /// print dialog is accepted. To a file, the result tells whether it was written (a failure
    /// is said in the window). To a printer, the page goes to the print service off the
    /// window's thread and its job is followed: the result tells whether it was sent on its
    /// way, and `PrintFinished` says how it ended.
    bool PrintOn(QPrinter& printer, bool worksheet = false);
    /// Writes what `--export` writes for the current controls: a PNG of `pngSize` pixels, an
    /// SVG, a PDF or the JSON document, chosen by the extension. A failure is said in the
    /// window and nothing partial is left.
    bool SaveFigure(const QString& path, int pngSize, bool worksheet = false);
    /// While on, dragging a scroll-bar thumb redraws at every value it passes.
    void SetLiveDragging(bool on);
    /// Full screen, with strokes twice as wide and texts half again as large on the canvas.
    void SetPresentation(bool on);
    /// Shows the wave view, or the classic construction, and redraws.
    void SetWaveView(bool on);
    /// Shows `view`, as the View menu does, and redraws; a view without waves stops the crests.
    void ShowView(View view);
    /// The moving crests of the wave view: playing or paused, at a phase of the period.
    bool Playing() const;
    void SetPlaying(bool on);
    double Phase() const { return state_.Phase(); }
    /// One frame on while paused: a sixtieth of a period.
    void StepFrame();
    /// Moves the target point F to the whole step nearest the lens's best focus (key B), and
    /// says what it did: moved, stopped at the bar's end, or that there is no best focus. The
    /// sentence is returned as well.
    QString MoveFocusToBestFocus();
    /// The speed of the moving waves, 0.25 to 4 periods a second, in steps of a factor of 2.
    double Speed() const { return state_.Speed(); }
    void SetSpeed(double speed);
    /// Sends one flash from the source through the lens; it runs out beyond the figure.
    void Flash();
    /// Advances the moving crests by `seconds` of play and redraws the canvas, as the clock does
    /// once a frame.
    void Advance(double seconds);

    /// The lesson: opens it at step `step` (1-based), setting that step's scene; the controls
    /// stay live. `LessonStep` is 0 while the lesson is closed.
    void OpenLesson(int step);
    /// Leaves the lesson; the scene stays as it is.
    void CloseLesson();
    int LessonStep() const;
    /// The next or the previous step, and the current step's scene again.
    void NextLessonStep();
    void PreviousLessonStep();
    void LessonAgain();
    /// Writes the teacher's notes of the lesson (A4 PDF) in the window's language; a failure
    /// is said in the window.
    bool SaveLessonPlan(const QString& path);

public Q_SLOTS:
    void AGLIKA_Click();
    void ELLINIKA_Click();
    void initial_POINT_Change();
    void fOCUS_POINT_Change();
    void n_DIATHLASI_Change();
    void pachos_Change();
    void YPERVOLIKO_Click();
    /// The wave view on or off (the check box, its menu item and F6 alike).
    void WaveView_Click();
    /// "Parallel BEAM": redraws the wave view with a plane wave; no classic figure reads it.
    void f_apeiro_Click();
    void Command1_Click();
    /// "Save figure as…": asks for a file (and a PNG's size), then `SaveFigure`.
    void SaveFigureAs();
    /// "Save worksheet as…": the same, with the counts left blank.
    void SaveWorksheetAs();
    /// "Print worksheet…": PRINT with the counts left blank.
    void PrintWorksheet();
    /// F1: the illustrated guide in the current language.
    void ShowGuide();
    /// The version, the licence and where to report a problem.
    void ShowAbout();
    /// F2: opens the lesson at its first step, or closes it.
    void ToggleLesson();
    /// "Save lesson plan…": asks for a PDF file, then `SaveLessonPlan`.
    void SaveLessonPlanAs();
    /// "Print lesson plan…": the print dialog, then the teacher's notes on the printer.
    void PrintLessonPlan();

Q_SIGNALS:
    /// Emitted after each complete redraw of the figure.
    void FigureRedrawn();
    /// A page sent to a printer has reached its end, or PRINT could not open its dialog:
    /// `failed` when it will not print, `said` what the window told the user (empty for a page
    /// printed).
    void PrintFinished(bool failed, const QString& said);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    /// Runs `handler` on every change of `button`, once, however the change comes.
    void RedrawOnEveryChange(QAbstractButton* button, void (DHMIOYRGO_KYKLO::*handler)());
    /// Marks a change of `button` as handled in this turn of the event loop.
    void HandledNow(QAbstractButton* button);
    /// True while the view shown traces waves (WAVE VIEW shows it ticked).
    bool ShowsWaves() const { return TracesWaves(state_.ShownView()); }

    void ShowLabels();
    /// The read-outs for `bar` at `value` while its thumb is dragged, the figure unchanged.
    void ShowReadoutsWhileDragging(const QScrollBar* bar, int value);
    /// The controls' size hints and the read-outs' widest line, for the layout.
    ControlSizes MeasureControls() const;
    /// The factor by which the controls and read-outs are enlarged: that of the canvas's texts
    /// in presentation mode, else 1.
    double ControlScale() const;
    /// Menu texts and accessible names and descriptions in the current language.
    void ShowWindowTexts(const Controls& controls);
    void ShowCanvasMenu(const QPoint& at);
    /// Sets the GREEK/ENGLISH switch as `c` has it, both off for another language.
    void ShowLanguageSwitch(const Controls& c);
    /// A menu of every language the program has, the current one checked.
    QMenu* LanguageMenu(QWidget* parent);
    QMenu* ViewMenu(QWidget* parent);
    void SaveAs(bool worksheet);
    void PrintWithDialog(bool worksheet);
    /// Runs `open` once the print service is known to answer (or to be absent, when the dialog
    /// offers files alone); a silent service is said instead, with the window usable all along.
    void WhenPrintServiceAnswers(std::function<void()> open);
    /// Says how a printing ended: a warning for a page that will not print, a note for one
    /// that waits in the queue.
    void ShowPrintEnd(bool failed, const QString& said);
    /// The window's actions with their keys, each connected to what it does.
    void CreateActions();
    /// The lesson's panel, button and actions (F2; Page Down, Page Up and, on the canvas, the
    /// arrows while it is open; Esc leaves it).
    void CreateLesson();
    /// Which keys work while the lesson is open or closed, in or out of presentation mode.
    void EnableLessonKeys();
    void ShowLessonTexts(std::string_view language);
    QAction* AddAction(const QKeySequence& shortcut);
    void Warn(const QString& title, const QString& message);
    /// Tells something the user should know of what went well (a hard link split by a save).
    void Tell(const QString& title, const QString& message);
    /// Redraws the canvas alone for a new frame of the moving crests.
    void DrawFrame();
    void ShowMotionControls();

    CanvasWidget* EIKON;
    QPushButton* Command1;
    QScrollBar* initial_POINT;
    QLabel* Label1;
    QScrollBar* fOCUS_POINT;
    QLabel* Label2;
    QScrollBar* n_DIATHLASI;
    QLabel* Label3;
    QScrollBar* pachos;
    QLabel* Label4;
    QCheckBox* f_apeiro;
    QCheckBox* YPERVOLIKO;
    QRadioButton* ELLINIKA;
    QRadioButton* AGLIKA;
    /// The wave view's visible switch, and its ledger beside the canvas.
    QCheckBox* waveView_;
    LedgerPanel* ledger_;
    LessonPanel* lesson_ = nullptr;
    QPushButton* lessonButton_ = nullptr;
    QAction* lessonAction_ = nullptr;
    QAction* lessonNextAction_ = nullptr;
    QAction* lessonBackAction_ = nullptr;
    QAction* lessonCloseAction_ = nullptr;
    QAction* lessonPlanSaveAction_ = nullptr;
    QAction* lessonPlanPrintAction_ = nullptr;
    /// Right and Left on the canvas, while the lesson is open.
    QAction* lessonNextOnCanvas_ = nullptr;
    QAction* lessonBackOnCanvas_ = nullptr;
    GuideDialog* guide_ = nullptr;
    /// Sends pages to the print service and follows their jobs, off the window's thread.
    PrintDispatch* print_ = nullptr;

    QAction* saveAction_;
    QAction* printAction_;
    QAction* quitAction_;
    QAction* saveWorksheetAction_;
    QAction* printWorksheetAction_;
    QAction* liveAction_;
    QAction* presentationAction_;
    QAction* leavePresentationAction_;
    QAction* zoomInAction_;
    QAction* zoomOutAction_;
    QAction* wholeFigureAction_;
    QAction* showAllAction_;
    QAction* canvasMenuAction_;
    QAction* helpAction_;
    QAction* aboutAction_;
    QAction* waveViewAction_;
    QAction* playAction_;
    QAction* stepAction_;
    QAction* slowerAction_;
    QAction* fasterAction_;
    QAction* flashAction_;
    QCheckBox* perfectLens_;
    QPushButton* playButton_;
    QPushButton* flashButton_;
    QPushButton* bestFocusButton_ = nullptr;
    QAction* bestFocusAction_ = nullptr;
    QLabel* speedLabel_;
    QTimer* clock_;
    /// Switches whose change was handled by a click or by the program in this turn of the
    /// event loop.
    QHash<QAbstractButton*, int> handled_;
    QElapsedTimer sinceFrame_;
    /// The crests, the lesson's step and a language beyond the switch, with their rules.
    WindowState state_;
    QRect windowedGeometry_;
    /// The language the captions were last laid out for.
    std::optional<std::string> captionsLanguage_;
    Arrangement arrangement_ = Arrangement::Designed;

    kymata::Scene scene_;
    Labels labels_;
};

} // namespace kymata
